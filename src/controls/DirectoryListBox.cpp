#include "DirectoryListBox.h"

#include <QDir>
#include <QKeyEvent>
#include <QMouseEvent>

#include "platform/ApplicationErrors.h"
#include "platform/Exception.h"
#include "platform/SystemErrors.h"
#include "xFileListBox.h"

namespace lumarc {

TDirectoryListBox::TDirectoryListBox(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void TDirectoryListBox::SetDirectory(const QString& dir)
{
    const QString clean = QDir::cleanPath(QDir(dir).absolutePath());
    if (clean == FDirectory)
        return;
    if (!QDir(clean).exists() || !QDir(clean).isReadable())
        throw EInOutError(UnreachableDirectory(clean.toStdString()));
    FDirectory = clean;
    Update();
}

void TDirectoryListBox::Update()
{
    Fill();
    if (FFileList)
        FFileList->SetDirectory(FDirectory);
    emit Changed();
}

QString TDirectoryListBox::ItemPath(int index) const
{
    return index >= 0 && index < FPaths.size() ? FPaths[index] : FDirectory;
}

void TDirectoryListBox::Fill()
{
    clear();
    FPaths.clear();
    QStringList parts = FDirectory.split('/', Qt::SkipEmptyParts);
    QString path = QStringLiteral("/");
    addItem(path);
    FPaths << path;
    int depth = 1;
    for (const QString& part : parts) {
        path = path.endsWith('/') ? path + part : path + '/' + part;
        AddIndented(depth, part);
        FPaths << path;
        ++depth;
    }
    const int current = static_cast<int>(FPaths.size()) - 1;
    const QStringList subdirs =
        QDir(FDirectory).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
    for (const QString& sub : subdirs) {
        AddIndented(depth, sub);
        FPaths << (FDirectory.endsWith('/') ? FDirectory + sub : FDirectory + '/' + sub);
    }
    setCurrentRow(current);
}

// The depth shows as indentation; a screen reader reads the name alone.
void TDirectoryListBox::AddIndented(int depth, const QString& name)
{
    addItem(QString(depth * 2, ' ') + name);
    item(count() - 1)->setData(Qt::AccessibleTextRole, name);
}

void TDirectoryListBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    QListWidget::mouseDoubleClickEvent(event);
    const int index = currentRow();
    // A directory that went away since it was listed must not unwind through the event loop.
    if (index >= 0)
        GuardedCall([&] { SetDirectory(ItemPath(index)); });
}

void TDirectoryListBox::keyPressEvent(QKeyEvent* event)
{
    emit KeyDown(event->key(), event->modifiers());
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentRow() >= 0) {
        GuardedCall([&] { SetDirectory(ItemPath(currentRow())); });
        return;
    }
    QListWidget::keyPressEvent(event);
}

}  // namespace lumarc
