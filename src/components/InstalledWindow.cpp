#include "InstalledWindow.h"

#include <QDesktopServices>
#include <QDir>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

#include <utility>
#include <vector>

#include "install/core/InstallStore.h"
#include "install/core/Uninstall.h"
#include "widgets/MsgBox.h"

namespace lumarc {

namespace {

constexpr int kIdRole = Qt::UserRole;
constexpr int kDestinationRole = Qt::UserRole + 1;
const char* const kCaption = "Installierte Komponenten";

QString Utf8(const std::string& text)
{
    return QString::fromStdString(text);
}

QString StateText(const TInstallRecord& record)
{
    int changed = 0;
    int missing = 0;
    for (const TInstalledFile& file : record.Files) {
        const TFileState state = StateOf(file);
        changed += state == TFileState::fsChanged;
        missing += state == TFileState::fsMissing;
    }
    if (changed == 0 && missing == 0)
        return QStringLiteral("alle Dateien unverändert");
    QStringList parts;
    if (changed > 0)
        parts << QStringLiteral("%1 geändert").arg(changed);
    if (missing > 0)
        parts << QStringLiteral("%1 fehlen").arg(missing);
    return parts.join(QStringLiteral(", "));
}

// "2026-12-09T21:04:05" as the list shows a time.
QString WhenText(const std::string& iso)
{
    QString text = Utf8(iso);
    text.replace(QLatin1Char('T'), QLatin1Char(' '));
    return text;
}

}  // namespace

struct TInstalledWindow::TParts {
    explicit TParts(TInstalledWindow& window) : W(window) {}

    void Build();
    void Remove();
    void UpdateButtons();
    TInstallStore& Store();

    TInstalledWindow& W;
    QTreeWidget* List = nullptr;
    QLabel* Empty = nullptr;
    QPushButton* RemoveButton = nullptr;
    QPushButton* OpenButton = nullptr;
    std::unique_ptr<TInstallStore> StoreHandle;
};

TInstallStore& TInstalledWindow::TParts::Store()
{
    if (!StoreHandle) {
        StoreHandle = std::make_unique<TInstallStore>(TInstallStore::DefaultPath(), [this](const std::string& message) {
            W.Tell(QString::fromUtf8(kCaption), QString::fromStdString(message));
        });
    }
    return *StoreHandle;
}

void TInstalledWindow::TParts::Build()
{
    W.setObjectName(QStringLiteral("InstalledWindow"));
    W.setWindowTitle(QString::fromUtf8(kCaption));
    auto* layout = new QVBoxLayout(&W);
    List = new QTreeWidget;
    List->setObjectName(QStringLiteral("InstalledList"));
    List->setAccessibleName(QString::fromUtf8(kCaption));
    List->setRootIsDecorated(false);
    List->setAllColumnsShowFocus(true);
    List->setHeaderLabels({QStringLiteral("Installiert am"), QStringLiteral("Komponente"), QStringLiteral("Zustand"),
                           QStringLiteral("Ziel"), QStringLiteral("Katalog")});
    layout->addWidget(List, 1);
    Empty = new QLabel(QStringLiteral("Es ist keine Installation verzeichnet."));
    Empty->setObjectName(QStringLiteral("NothingInstalled"));
    layout->addWidget(Empty);

    auto* bar = new QHBoxLayout;
    bar->addStretch(1);
    RemoveButton = new QPushButton(QStringLiteral("&Entfernen"));
    RemoveButton->setObjectName(QStringLiteral("RemoveButton"));
    OpenButton = new QPushButton(QStringLiteral("&Ordner öffnen"));
    OpenButton->setObjectName(QStringLiteral("OpenFolderButton"));
    auto* close = new QPushButton(QStringLiteral("S&chließen"));
    close->setObjectName(QStringLiteral("CloseButton"));
    // Enter belongs to the list and the text field, never to a button the focus is not on.
    for (QPushButton* button : {RemoveButton, OpenButton, close}) {
        button->setAutoDefault(false);
        bar->addWidget(button);
    }
    layout->addLayout(bar);

    QObject::connect(RemoveButton, &QPushButton::clicked, &W, [this] { Remove(); });
    QObject::connect(OpenButton, &QPushButton::clicked, &W, [this] {
        const QTreeWidgetItem* item = List->currentItem();
        if (!item)
            return;
        const QString folder = item->data(0, kDestinationRole).toString();
        if (!QDir(folder).exists() || !W.OpenFolder(folder))
            W.Tell(QString::fromUtf8(kCaption),
                   QStringLiteral("Der Ordner %1 kann nicht geöffnet werden.").arg(folder));
    });
    QObject::connect(close, &QPushButton::clicked, &W, &QWidget::close);
    QObject::connect(List, &QTreeWidget::currentItemChanged, &W, [this] { UpdateButtons(); });
    W.resize(760, 360);
}

void TInstalledWindow::TParts::UpdateButtons()
{
    const bool any = List->currentItem() != nullptr;
    RemoveButton->setEnabled(any);
    OpenButton->setEnabled(any);
    Empty->setVisible(List->topLevelItemCount() == 0);
}

void TInstalledWindow::TParts::Remove()
{
    const QTreeWidgetItem* item = List->currentItem();
    if (!item)
        return;
    const int64_t id = item->data(0, kIdRole).toLongLong();
    if (!W.Ask(QStringLiteral("Die Dateien von „%1“ in %2 entfernen? Geänderte Dateien bleiben.")
                   .arg(item->text(1), item->data(0, kDestinationRole).toString())))
        return;
    std::vector<TUninstallStep> steps;
    if (!Uninstall(Store(), id, steps)) {
        W.Tell(QString::fromUtf8(kCaption), QStringLiteral("Diese Installation ist nicht mehr verzeichnet."));
    } else {
        QStringList lines;
        for (const TUninstallStep& step : steps)
            lines << QStringLiteral("%1: %2").arg(QString::fromUtf8(StepWord(step.Kind)), Utf8(step.Path));
        if (lines.isEmpty())
            lines << QStringLiteral("Die Installation hatte keine Dateien mehr.");
        W.Tell(QStringLiteral("Installation entfernt"), lines.join(QLatin1Char('\n')));
    }
    W.Refresh();
    emit W.RecordsChanged();
}

TInstalledWindow::TInstalledWindow(QWidget* parent) : QDialog(parent, Qt::Window), F(std::make_unique<TParts>(*this))
{
    OpenFolder = [](const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };
    Ask = [](const QString& question) {
        TMsgBox box;
        box.SetCaption(QStringLiteral("Installation entfernen"));
        box.SetMsg(question);
        box.SetButtons(TMSGButtons::msgYesNo);
        box.SetDefaultButton(TMsgBox::mrNo);
        return box.Execute() == TMsgBox::mrYes;
    };
    Tell = [](const QString& caption, const QString& text) { ShowPlainBox(false, caption, text); };
    F->Build();
}

TInstalledWindow::~TInstalledWindow() = default;

void TInstalledWindow::Refresh()
{
    const int64_t current = F->List->currentItem() ? F->List->currentItem()->data(0, kIdRole).toLongLong() : 0;
    F->List->clear();
    for (const TInstallRecord& record : F->Store().Records()) {
        auto* item = new QTreeWidgetItem(F->List);
        item->setText(0, WhenText(record.When));
        item->setText(1, Utf8(record.Component));
        item->setText(2, StateText(record));
        item->setText(3, Utf8(record.Destination));
        item->setText(4, Utf8(record.Catalogue));
        item->setData(0, kIdRole, QVariant::fromValue<qlonglong>(record.Id));
        item->setData(0, kDestinationRole, Utf8(record.Destination));
        if (record.Id == current || (current == 0 && F->List->topLevelItemCount() == 1))
            F->List->setCurrentItem(item);
    }
    if (!F->List->currentItem() && F->List->topLevelItemCount() > 0)
        F->List->setCurrentItem(F->List->topLevelItem(0));
    for (int column = 0; column < F->List->columnCount(); ++column)
        F->List->resizeColumnToContents(column);
    F->UpdateButtons();
}

void TInstalledWindow::showEvent(QShowEvent* event)
{
    Refresh();
    FJustShown = true;
    QDialog::showEvent(event);
}

void TInstalledWindow::changeEvent(QEvent* event)
{
    // Back to the window: the files may have been changed meanwhile, or lumarc-cli installed.
    // The activation that follows showing finds the list just read.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !std::exchange(FJustShown, false))
        Refresh();
    QDialog::changeEvent(event);
}

}  // namespace lumarc
