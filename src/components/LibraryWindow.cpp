#include "LibraryWindow.h"

#include <QAction>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <atomic>
#include <exception>
#include <string>
#include <thread>
#include <vector>

#include "install/core/InstallStore.h"
#include "install/core/Library.h"
#include "widgets/Gauge.h"
#include "widgets/MsgBox.h"
#include "widgets/ProgressForm.h"

namespace lumarc {

namespace {

constexpr int kIdRole = Qt::UserRole;
constexpr int kPlaceRole = Qt::UserRole + 1;
const char* const kCaption = "Bibliothek";

QString Utf8(const std::string& text)
{
    return QString::fromStdString(text);
}

}  // namespace

struct TLibraryWindow::TParts {
    explicit TParts(TLibraryWindow& window) : W(window) {}

    void Build();
    void UpdateButtons();
    void OpenCurrent();
    void RemoveCurrent();
    void Finished(int found, int added, bool cancelled, const QString& problem);

    TLibraryWindow& W;
    QTreeWidget* List = nullptr;
    QLabel* Empty = nullptr;
    QPushButton* AddButton = nullptr;
    QPushButton* RemoveButton = nullptr;
    QPushButton* OpenButton = nullptr;
    std::unique_ptr<TProgressForm> Progress;
    std::atomic<bool> Cancel{false};
    std::jthread Worker;
    bool Busy = false;
};

void TLibraryWindow::TParts::Build()
{
    W.setObjectName(QStringLiteral("LibraryWindow"));
    W.setWindowTitle(QString::fromUtf8(kCaption));
    auto* layout = new QVBoxLayout(&W);
    List = new QTreeWidget;
    List->setObjectName(QStringLiteral("LibraryList"));
    List->setAccessibleName(QStringLiteral("Kataloge der Bibliothek"));
    List->setRootIsDecorated(false);
    List->setAllColumnsShowFocus(true);
    List->setHeaderLabels({QStringLiteral("Datenträger"), QStringLiteral("Titel"), QStringLiteral("Ort"),
                           QStringLiteral("Einträge"), QStringLiteral("Zuletzt geöffnet")});
    layout->addWidget(List, 1);
    Empty = new QLabel(QStringLiteral("Die Bibliothek ist leer. Mit „Hinzufügen...“ kommen Kataloge, Abbilder "
                                      "und ganze Ordner hinein."));
    Empty->setObjectName(QStringLiteral("LibraryEmpty"));
    Empty->setWordWrap(true);
    layout->addWidget(Empty);

    auto* bar = new QHBoxLayout;
    AddButton = new QPushButton(QStringLiteral("&Hinzufügen..."));
    AddButton->setObjectName(QStringLiteral("AddButton"));
    auto* addMenu = new QMenu(AddButton);
    QAction* addFiles = addMenu->addAction(QStringLiteral("&Kataloge oder Abbilder..."));
    addFiles->setObjectName(QStringLiteral("AddFiles"));
    QAction* addFolder = addMenu->addAction(QStringLiteral("&Ordner durchsuchen..."));
    addFolder->setObjectName(QStringLiteral("AddFolder"));
    AddButton->setMenu(addMenu);
    RemoveButton = new QPushButton(QStringLiteral("&Entfernen"));
    RemoveButton->setObjectName(QStringLiteral("RemoveButton"));
    OpenButton = new QPushButton(QStringLiteral("Ö&ffnen"));
    OpenButton->setObjectName(QStringLiteral("OpenButton"));
    auto* close = new QPushButton(QStringLiteral("S&chließen"));
    close->setObjectName(QStringLiteral("CloseButton"));
    bar->addWidget(AddButton);
    bar->addWidget(RemoveButton);
    bar->addStretch(1);
    // Enter belongs to the list, never to a button the focus is not on.
    for (QPushButton* button : {AddButton, RemoveButton, OpenButton, close})
        button->setAutoDefault(false);
    bar->addWidget(OpenButton);
    bar->addWidget(close);
    layout->addLayout(bar);

    QObject::connect(addFiles, &QAction::triggered, &W, [this] {
        const QStringList files = W.ChooseFiles();
        if (!files.isEmpty())
            W.AddPaths(files);
    });
    QObject::connect(addFolder, &QAction::triggered, &W, [this] {
        const QString folder = W.ChooseFolder();
        if (!folder.isEmpty())
            W.AddPaths({folder});
    });
    QObject::connect(RemoveButton, &QPushButton::clicked, &W, [this] { RemoveCurrent(); });
    // Del in the list forgets the catalogue chosen, as "Entfernen" does; its files stay.
    auto* forget = new QAction(List);
    forget->setShortcut(QKeySequence::Delete);
    forget->setShortcutContext(Qt::WidgetShortcut);
    List->addAction(forget);
    RemoveButton->setToolTip(QStringLiteral("Den gewählten Katalog aus der Bibliothek nehmen; seine Dateien "
                                            "bleiben (Entf)"));
    QObject::connect(forget, &QAction::triggered, &W, [this] { RemoveCurrent(); });
    QObject::connect(OpenButton, &QPushButton::clicked, &W, [this] { OpenCurrent(); });
    QObject::connect(List, &QTreeWidget::itemActivated, &W, [this] { OpenCurrent(); });
    QObject::connect(close, &QPushButton::clicked, &W, &QWidget::close);
    QObject::connect(List, &QTreeWidget::currentItemChanged, &W, [this] { UpdateButtons(); });
    W.resize(820, 380);
}

void TLibraryWindow::TParts::UpdateButtons()
{
    const QTreeWidgetItem* item = List->currentItem();
    RemoveButton->setEnabled(item != nullptr && !Busy);
    OpenButton->setEnabled(item != nullptr && !item->data(0, kPlaceRole).toString().isEmpty());
    AddButton->setEnabled(!Busy);
    Empty->setVisible(List->topLevelItemCount() == 0);
}

void TLibraryWindow::TParts::OpenCurrent()
{
    const QTreeWidgetItem* item = List->currentItem();
    if (!item)
        return;
    const QString place = item->data(0, kPlaceRole).toString();
    if (place.isEmpty()) {
        W.Tell(QString::fromUtf8(kCaption),
               QStringLiteral("Dieser Katalog ist an keinem seiner Orte mehr zu finden:\n%1").arg(item->toolTip(2)));
        return;
    }
    emit W.OpenCatalogue(place);
}

void TLibraryWindow::TParts::RemoveCurrent()
{
    const QTreeWidgetItem* item = List->currentItem();
    if (!item || Busy)
        return;
    try {
        TInstallStore store;
        TLibrary(store).Remove(item->data(0, kIdRole).toLongLong());
    } catch (const std::exception& e) {
        W.Tell(QString::fromUtf8(kCaption), QString::fromUtf8(e.what()));
    }
    W.Refresh();
    emit W.LibraryChanged();
}

void TLibraryWindow::TParts::Finished(int found, int added, bool cancelled, const QString& problem)
{
    if (Worker.joinable())
        Worker.join();
    Progress.reset();
    Busy = false;
    // The progress window gone, a window manager may hand the focus to the main window and
    // raise it over this one.
    if (W.isVisible()) {
        W.raise();
        W.activateWindow();
    }
    W.Refresh();
    emit W.LibraryChanged();
    if (!problem.isEmpty())
        W.Tell(QString::fromUtf8(kCaption), problem);
    else if (cancelled)
        W.Tell(QString::fromUtf8(kCaption),
               QStringLiteral("Die Suche wurde abgebrochen; bis dahin wurden %1 neue Orte aufgenommen.").arg(added));
    else if (found == 0)
        W.Tell(QString::fromUtf8(kCaption), QStringLiteral("Es wurde kein Katalog gefunden."));
}

TLibraryWindow::TLibraryWindow(QWidget* parent) : QDialog(parent, Qt::Window), F(std::make_unique<TParts>(*this))
{
    ChooseFiles = [this] {
        return QFileDialog::getOpenFileNames(
            this, QStringLiteral("Kataloge oder Abbilder hinzufügen"), QString(),
            QStringLiteral("Kataloge und Abbilder (*.dat *.DAT *.iso *.ISO *.cue *.CUE *.bin *.BIN *.img *.IMG *.nrg "
                           "*.NRG *.mdf *.MDF *.mds *.MDS *.ccd *.CCD *.toc *.TOC *.zip *.ZIP);;Alle Dateien (*)"));
    };
    ChooseFolder = [this] {
        return QFileDialog::getExistingDirectory(this, QStringLiteral("Ordner nach Katalogen durchsuchen"));
    };
    Tell = [](const QString& caption, const QString& text) { ShowPlainBox(false, caption, text); };
    F->Build();
}

TLibraryWindow::~TLibraryWindow()
{
    F->Cancel.store(true);
    if (F->Worker.joinable())
        F->Worker.join();
}

bool TLibraryWindow::Adding() const
{
    return F->Busy;
}

void TLibraryWindow::AddPaths(const QStringList& paths)
{
    if (F->Busy)
        return;
    F->Busy = true;
    F->Cancel.store(false);
    F->UpdateButtons();
    F->Progress = std::make_unique<TProgressForm>(this);
    F->Progress->setObjectName(QStringLiteral("LibraryProgress"));
    F->Progress->InfoLabel()->setText(QStringLiteral("Kataloge werden gesucht ..."));
    F->Progress->EnableCancel();
    QObject::connect(F->Progress->CancelButton(), &QPushButton::clicked, this, [this] { F->Cancel.store(true); });
    std::vector<std::string> given;
    for (const QString& path : paths)
        given.push_back(path.toStdString());
    // The window outlives the thread (its destructor joins it), so the queued calls may name it.
    QPointer<TLibraryWindow> window(this);
    F->Worker = std::jthread([this, window, given = std::move(given)] {
        int found = 0;
        int added = 0;
        QString problem;
        const auto cancelled = [this] { return F->Cancel.load(); };
        try {
            // The catalogues are found first, so that the gauge can count them: counted by the
            // paths given, a single folder kept it at nought until the end.
            std::vector<std::string> candidates;
            for (size_t i = 0; i < given.size() && !cancelled(); ++i)
                for (std::string& candidate : CataloguesAt(given[i], cancelled))
                    candidates.push_back(std::move(candidate));
            QMetaObject::invokeMethod(
                window,
                [window, count = static_cast<int>(candidates.size())] {
                    if (window && window->F->Progress)
                        window->F->Progress->Gauge()->SetMaxValue(count);
                },
                Qt::QueuedConnection);
            TInstallStore store;
            TLibrary library(store);
            for (size_t i = 0; i < candidates.size() && !cancelled(); ++i) {
                const std::optional<TLibrary::TAdded> result = library.Add(candidates[i]);
                if (result) {
                    ++found;
                    added += result->NewPlace ? 1 : 0;
                }
                QMetaObject::invokeMethod(
                    window,
                    [window, found, done = static_cast<int>(i + 1),
                     place = result ? Utf8(result->Place) : QString()] {
                        if (!window || !window->F->Progress)
                            return;
                        if (!place.isEmpty())
                            window->F->Progress->InfoLabel()->setText(
                                QStringLiteral("%1 gefunden: %2").arg(found).arg(place));
                        window->F->Progress->Gauge()->SetProgress(done);
                    },
                    Qt::QueuedConnection);
            }
        } catch (const std::exception& e) {
            problem = QString::fromUtf8(e.what());
        }
        QMetaObject::invokeMethod(
            window,
            [window, found, added, cancelled = F->Cancel.load(), problem] {
                if (window)
                    window->F->Finished(found, added, cancelled, problem);
            },
            Qt::QueuedConnection);
    });
}

void TLibraryWindow::Refresh()
{
    const qlonglong current = F->List->currentItem() ? F->List->currentItem()->data(0, kIdRole).toLongLong() : 0;
    F->List->clear();
    std::vector<TLibraryCatalogue> catalogues;
    try {
        TInstallStore store;
        catalogues = TLibrary(store).Catalogues();
    } catch (const std::exception& e) {
        Tell(QString::fromUtf8(kCaption), QString::fromUtf8(e.what()));
    }
    const QColor gone = palette().color(QPalette::Disabled, QPalette::Text);
    for (const TLibraryCatalogue& catalogue : catalogues) {
        auto* item = new QTreeWidgetItem(F->List);
        QString place;
        QStringList all;
        for (const TLibraryPlace& where : catalogue.Places) {
            all << Utf8(where.Path) + (where.Present ? QString() : QStringLiteral(" (fehlt)"));
            if (where.Present && place.isEmpty())
                place = Utf8(where.Path);
        }
        item->setText(0, Utf8(catalogue.Label.value_or(std::string())));
        item->setText(1, Utf8(catalogue.Title).trimmed());
        item->setText(2, place.isEmpty() ? all.value(0) : place);
        item->setToolTip(2, all.join(QLatin1Char('\n')));
        item->setText(3, QString::number(catalogue.Entries));
        item->setTextAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
        QString when = Utf8(catalogue.LastOpened);
        item->setText(4, when.replace(QLatin1Char('T'), QLatin1Char(' ')));
        item->setData(0, kIdRole, QVariant::fromValue<qlonglong>(catalogue.Id));
        item->setData(0, kPlaceRole, place);
        if (place.isEmpty()) {
            for (int column = 0; column < F->List->columnCount(); ++column) {
                item->setForeground(column, gone);
                item->setData(column, Qt::AccessibleDescriptionRole, QStringLiteral("nicht vorhanden"));
            }
        }
        if (catalogue.Id == current)
            F->List->setCurrentItem(item);
    }
    if (!F->List->currentItem() && F->List->topLevelItemCount() > 0)
        F->List->setCurrentItem(F->List->topLevelItem(0));
    for (int column = 0; column < F->List->columnCount(); ++column)
        F->List->resizeColumnToContents(column);
    F->UpdateButtons();
}

void TLibraryWindow::showEvent(QShowEvent* event)
{
    Refresh();
    QDialog::showEvent(event);
}

}  // namespace lumarc
