#include "CInstDlg.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QUrl>
#include <QVBoxLayout>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <unistd.h>
#include <utility>
#include <vector>

#include "settings/core/InstallSource.h"
#include "controls/DirectoryListBox.h"
#include "controls/DriveComboBox.h"
#include "controls/xFileListBox.h"
#include "platform/ApplicationErrors.h"
#include "platform/ArchiveCopy.h"
#include "platform/Disc.h"
#include "platform/FileCopy.h"
#include "platform/FileNames.h"
#include "platform/ProtectedDirs.h"
#include "platform/SystemErrors.h"
#include "platform/Trash.h"
#include "platform/UserDirs.h"
#include "platform/ZipProbe.h"
#include "settings/core/FileRoutines.h"
#include "settings/core/PathRoutines.h"
#include "settings/core/Settings.h"
#include "widgets/BevelPanel.h"
#include "widgets/DesignLook.h"
#include "widgets/Gauge.h"
#include "widgets/MsgBox.h"
#include "widgets/ProgressForm.h"

#include <sys/stat.h>

namespace lumarc {

namespace {

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text, int left, int top, int width,
                        int height)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(left, top, width, height);
    button->setAutoDefault(false);
    return button;
}

QString Local(const std::string& text)
{
    return QString::fromStdString(text);
}

std::string Host(const QString& text)
{
    return text.toStdString();
}

void ConfigureFileList(TxFileListBox* list)
{
    list->SetColor(Qt::white);
    list->setFont(SystemFont(true));
    list->SetFontColor(Qt::black);
    list->SetItemHeight(16);
    list->SetMultiSelect(true);
    list->SetShowGlyphs(true);
    list->setDragEnabled(true);
    list->setDragDropMode(QAbstractItemView::DragDrop);
    list->setDefaultDropAction(Qt::CopyAction);
    list->SetSortType(stDirNameDrive);
    list->SetUpperCase(false);
    list->SetSelectedColor(QColor(0, 0, 255));
    list->SetFocusedColor(QColor(255, 255, 255));
    list->SetFocSelColor(QColor(255, 255, 0));
    list->SetFocusedBkColor(QColor(128, 0, 128));
    list->SetEnableDirSel(false);
    list->SetLocked(false);
}

}  // namespace

TCInstDlg::TCInstDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CInstDlg"));
    setWindowTitle(QStringLiteral("[Brimvale ToolDisc-ROM]   -   Komponente installieren"));
    setMaximumSize(kClientWidth, kClientHeight);
    setFont(SansSerifFont(true));
    ShellOpen = [](const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };
    FMessi = std::make_unique<TMsgBox>();
    FMessi->SetCaption(QStringLiteral("Brimvale"));
    FMessi->SetButtons(TMSGButtons::msgOKCancel);
    Unziper.lpszFileSpec.SetText("*.*");
    Unziper.IndexofItem = 0;
    Unziper.OnMinorCallback = [this](const char* item, int32_t percent, bool& cancel) {
        UnziperMinorCallback(item, percent, cancel);
    };
    Unziper.OnMessageCallback = [this](uint16_t id, uint16_t type, int32_t p1, int32_t p2, char* s1, char* s2,
                                       int& result) { UnziperMessageCallback(id, type, p1, p2, s1, s2, result); };
    CreateComponents();
    ConnectHandlers();
    FormCreate();
}

TCInstDlg::~TCInstDlg()
{
    FormDestroy();
}

void TCInstDlg::CreateComponents()
{
    // The controls sit on a client of the designed size. Where the screen is smaller (a small
    // screen, or a large scale factor) the dialog shrinks to it and the client scrolls, so that
    // no control is out of reach below the screen's edge.
    auto* client = new QWidget;
    client->setObjectName(QStringLiteral("CInstClient"));
    client->setFixedSize(kClientWidth, kClientHeight);
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("CInstScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    // No Tab stop of its own, where the focus could not be seen: it scrolls to the control
    // that takes the focus.
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setWidget(client);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
    QSize size(kClientWidth, kClientHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        constexpr int kDecorationRoom = 40;  // the window manager's title bar and frame
        const QRect room = screen->availableGeometry().adjusted(0, 0, 0, -kDecorationRoom);
        size = size.boundedTo(room.size());
    }
    resize(size);
    QWidget* const form = client;

    CloseBtn = MakeButton(form, "CloseBtn", QStringLiteral("&Schließen"), 444, 390, 97, 27);
    connect(CloseBtn, &QPushButton::clicked, this, &TCInstDlg::reject);

    CompInstBox = new QGroupBox(QStringLiteral("KomponentenName"), form);
    CompInstBox->setObjectName(QStringLiteral("CompInstBox"));
    CompInstBox->setGeometry(4, 2, 225, 383);
    FileNameLabel = MakeLabel(CompInstBox, "FileNameLabel", QStringLiteral("DateiName:"), 12, 20);
    SizeLabel = MakeLabel(CompInstBox, "SizeLabel", QStringLiteral("Größe:"), 154, 20);

    DestDirBox = new QGroupBox(QStringLiteral("Zielverzeichnis"), form);
    DestDirBox->setObjectName(QStringLiteral("DestDirBox"));
    DestDirBox->setGeometry(232, 2, 317, 383);
    DestEdit = new QLineEdit(QStringLiteral("c:\\delphi\\newcomps"), DestDirBox);
    DestEdit->setObjectName(QStringLiteral("DestEdit"));
    DestEdit->setGeometry(8, 18, 301, 20);
    DestDirListBox = new TDirectoryListBox(DestDirBox);
    DestDirListBox->setObjectName(QStringLiteral("DestDirListBox"));
    DestDirListBox->setGeometry(8, 65, 301, 98);
    DriveComboBox = new TDriveComboBox(DestDirBox);
    DriveComboBox->setObjectName(QStringLiteral("DriveComboBox"));
    DriveComboBox->setGeometry(8, 42, 185, 19);
    DestFiles = new TxFileListBox(DestDirBox);
    DestFiles->setObjectName(QStringLiteral("DestFiles"));
    DestFiles->setGeometry(8, 166, 300, 179);
    // The lists have no captions of their own; a screen reader names them by what they hold.
    DestDirListBox->setAccessibleName(QStringLiteral("Verzeichnisse"));
    DriveComboBox->setAccessibleName(QStringLiteral("Laufwerk"));
    DestFiles->setAccessibleName(QStringLiteral("Dateien im Zielverzeichnis"));

    StatusLabel = MakeLabel(form, "StatusLabel", QString(), 7, 400);
    // The label ends before the destination's count: a longer text takes a second line.
    StatusLabel->setWordWrap(true);
    StatusLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    StatusLabel->setGeometry(7, 386, 222, 34);
    ExecBtn = MakeButton(DestDirBox, "ExecBtn", QStringLiteral("Ausfüh&ren"), 9, 349, 100, 28);
    SelBtn = MakeButton(DestDirBox, "SelBtn", QStringLiteral("&Markieren"), 112, 349, 97, 28);
    KillBtn = MakeButton(DestDirBox, "KillBtn", QStringLiteral("&Löschen"), 212, 349, 97, 28);

    CompFiles = new TxFileListBox(CompInstBox);
    CompFiles->setObjectName(QStringLiteral("CompFiles"));
    CompFiles->setGeometry(10, 36, 205, 309);
    CompFiles->setAccessibleName(QStringLiteral("Dateien der Komponente"));
    CopyBtn = MakeButton(CompInstBox, "CopyBtn", QStringLiteral("&Kopieren"), 10, 349, 100, 28);
    CopyBtn->setToolTip(QStringLiteral("Kopiere die ausgewählte(n) Datei(en) ins Zielverzeichnis"));
    UnpackBtn = MakeButton(CompInstBox, "UnpackBtn", QStringLiteral("Ent&packen"), 116, 349, 100, 28);
    UnpackBtn->setToolTip(QStringLiteral("Entpacke die ausgewählte Datei ins Zielverzeichnis"));
    DestStatLabel = MakeLabel(form, "DestStatLabel", QString(), 233, 398);
    // Tab goes as a reader reads: the component's side, the destination's from the top, and
    // "Schließen" last.
    const std::vector<QWidget*> order{CompFiles, CopyBtn, UnpackBtn, DestEdit, DriveComboBox, DestDirListBox,
                                      DestFiles, ExecBtn, SelBtn,    KillBtn,  CloseBtn};
    for (size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    ConfigureFileList(CompFiles);
    CompFiles->SetSFShow(sfsSize | sfsDirs | sfsProcIcons);
    CompFiles->SetMultiColumns(false);
    CompFiles->SetMultiColumnWidth(120);
    CompFiles->SetOffsetSizes(150);
    CompFiles->SetOffsetDates(160);
    CompFiles->SetOffsetTimes(225);
    CompFiles->SetOffsetAttrs(267);
    ConfigureFileList(DestFiles);
    DestFiles->SetSFShow(sfsProcIcons);
    DestFiles->SetMultiColumns(true);
    DestFiles->SetMultiColumnWidth(130);
    DestDirListBox->setDragEnabled(true);
    DestDirListBox->setDragDropMode(QAbstractItemView::DragDrop);
    DestDirListBox->SetFileList(DestFiles);
    DriveComboBox->SetDirList(DestDirListBox);

    for (QWidget* target : std::vector<QWidget*>{CopyBtn, DestEdit, DriveComboBox, KillBtn}) {
        target->setAcceptDrops(true);
        target->installEventFilter(this);
    }
    for (QAbstractItemView* target : std::vector<QAbstractItemView*>{DestDirListBox, DestFiles}) {
        target->setAcceptDrops(true);
        target->viewport()->setAcceptDrops(true);
        target->viewport()->installEventFilter(this);
    }
    auto* ctrlTab = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this);
    ctrlTab->setContext(Qt::WindowShortcut);
    connect(ctrlTab, &QShortcut::activated, this, &TCInstDlg::FormKeyDown);

    GuardedCall([this] {
        CompFiles->SetDirectory(QDir::currentPath());
        DestDirListBox->SetDirectory(QDir::homePath());
    });
}

void TCInstDlg::ConnectHandlers()
{
    auto guarded = [](auto handler) { return [handler](auto&&...) { GuardedCall(handler); }; };
    connect(CopyBtn, &QPushButton::clicked, this, guarded([this] { CopyBtnClick(CopyBtn); }));
    connect(UnpackBtn, &QPushButton::clicked, this, guarded([this] { UnpackBtnClick(); }));
    connect(DestDirListBox, &TDirectoryListBox::Changed, this, guarded([this] { Change(); }));
    connect(DriveComboBox, &TDriveComboBox::Changed, this, guarded([this] { Change(); }));
    connect(CompFiles, &TxFileListBox::Changed, this, guarded([this] { CompFilesChange(); }));
    connect(DestFiles, &TxFileListBox::Changed, this, guarded([this] { CompFilesChange(); }));
    // The lists tell of a key before the selection moves and of nothing after it, nor of the
    // caret that focusing moves: the buttons follow the selection model itself.
    for (TxFileListBox* list : {CompFiles, DestFiles}) {
        connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                guarded([this] { CompFilesChange(); }));
        connect(list->selectionModel(), &QItemSelectionModel::currentChanged, this,
                guarded([this] { CompFilesChange(); }));
    }
    DestFiles->OnExecute = [this](TxFileListBox*, const QString& path) { DestFilesExecute(path); };
    connect(CompFiles, &TxFileListBox::MouseUp, this, guarded([this] { UpdateSelectionStatus(); }));
    connect(CompFiles, &TxFileListBox::MouseMove, this, guarded([this] { UpdateSelectionStatus(); }));
    connect(CompFiles, &TxFileListBox::KeyDown, this, guarded([this] { UpdateSelectionStatus(); }));
    connect(CompFiles, &TxFileListBox::DblClick, this, guarded([this] { CompFilesDblClick(CompFiles); }));
    connect(CompFiles, &QListWidget::itemClicked, this, guarded([this] { CompFilesClick(); }));
    connect(ExecBtn, &QPushButton::clicked, this, guarded([this] { ExecBtnClick(); }));
    connect(SelBtn, &QPushButton::clicked, this, guarded([this] { SelBtnClick(); }));
    connect(KillBtn, &QPushButton::clicked, this, guarded([this] { KillBtnClick(); }));
    connect(DestFiles, &TxFileListBox::KeyDown, this,
            [this](int key, Qt::KeyboardModifiers mods) { GuardedCall([&] { DestKeyDown(DestFiles, key, mods); }); });
    connect(DestDirListBox, &TDirectoryListBox::KeyDown, this, [this](int key, Qt::KeyboardModifiers mods) {
        GuardedCall([&] { DestKeyDown(DestDirListBox, key, mods); });
    });
}

void TCInstDlg::FormCreate()
{
    FOldExceptionHook = SetApplicationExceptionHook([this](const std::exception& error) {
        if (dynamic_cast<const EInOutError*>(&error))
            InputOutputError(error);
    });
}

// A drive or directory that could not be reached (a medium taken out, a place without
// rights): everything stays at the last directory that worked, and the user learns why. A
// drive root is no way back here: on this system it is a mount point such as "/".
void TCInstDlg::InputOutputError(const std::exception& error)
{
    try {
        DriveComboBox->ShowDriveOf(DestDirListBox->Directory());
        if (!FLastGoodDest.isEmpty())
            DestEdit->setText(FLastGoodDest);
    } catch (const std::exception& again) {
        std::cerr << "lumarc: " << again.what() << '\n';
    }
    Tell(QString::fromStdString(error.what()), QStringLiteral("Fehler"));
}

void TCInstDlg::FormDestroy()
{
    SetApplicationExceptionHook(std::move(FOldExceptionHook));
}

void TCInstDlg::SetMessageBox(std::unique_ptr<TMsgBox> box)
{
    if (box)
        FMessi = std::move(box);
}

int TCInstDlg::Ask(const QString& text, const QString& caption, int buttons, int defaultButton)
{
    FMessi->SetMsg(text);
    FMessi->SetCaption(caption);
    FMessi->SetButtons(static_cast<TMSGButtons>(buttons));
    FMessi->SetDefaultButton(defaultButton);
    return FMessi->Execute();
}

void TCInstDlg::Prepare(const QString& hostSourcePath, const QString& caption, const QString& componentDirName,
                        const QString& discRoot)
{
    CompInstBox->setTitle(caption);
    FComponentDirName = componentDirName;
    FArchiveProbes.clear();
    const std::string source = Host(hostSourcePath);
    QString missing;
    try {
        CompFiles->ApplyFilePath(Local(PathPart(source)));
        const QString name = Local(LastPathComponent(source));
        for (int i = 0; i < CompFiles->count(); ++i) {
            if (QString::compare(CompFiles->item(i)->text(), name, Qt::CaseInsensitive) == 0 ||
                QString::compare(QFileInfo(CompFiles->FullPathOf(i)).fileName(), name, Qt::CaseInsensitive) == 0) {
                CompFiles->SetItemIndex(i);
                CompFiles->SetSelected(i, true);
                break;
            }
        }
        CompFilesChange();
    } catch (const std::exception&) {
        // The folder the program was started from has nothing to do with the disc: the
        // disc's root is shown instead, and the user is told what is missing.
        try {
            CompFiles->clear();
            if (!discRoot.isEmpty()) {
                CompFiles->SetDirectory(discRoot);
                CompFiles->Reload();
            }
        } catch (const std::exception&) {
        }
        CompFilesChange();
        missing = Local(PathPart(source));
    }
    // A destination of the old Windows system ("c:\\delphi\\component") lies below the home
    // directory. One that does not exist yet is offered all the same: the list shows the part
    // of it that exists, and the first copy asks to create the rest.
    const QString destination = QDir::cleanPath(Local(HostDestinationPath(Settings().DefaultDestinationPath)));
    QString shown = destination;
    while (!QFileInfo(shown).isDir() && shown.size() > 1)
        shown = QFileInfo(shown).path();
    try {
        DestDirListBox->SetDirectory(shown);
    } catch (const std::exception&) {
    }
    // Every opening offers this component's folder, also when the list did not move and so
    // said nothing: the folder of the component installed before is no place for this one.
    GuardedCall([this] { Change(); });
    if (DestDirListBox->Directory() != destination) {
        DestEdit->setText(destination.toUpper().contains(FComponentDirName.toUpper())
                              ? destination
                              : Local(IncludeBackslash(Host(destination))) + FComponentDirName);
        FLastGoodDest = DestEdit->text();
    }
    // Last, so that the destination list's change notifications do not overwrite it.
    if (!missing.isEmpty()) {
        SetStatus(QStringLiteral("Der Ordner der Komponente fehlt auf der Disc."), missing);
    }
}

void TCInstDlg::reject()
{
    // Escape during a copy would hide the dialog under the running copy, and a second
    // opening would re-read the lists it copies from.
    if (FBusy)
        return;
    done(TMsgBox::mrCancel);
}

void TCInstDlg::CloseWhenDone()
{
    if (FBusy)
        FCloseAfterRun = true;
    else
        done(TMsgBox::mrCancel);
}

void TCInstDlg::closeEvent(QCloseEvent* event)
{
    if (FBusy) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

int TCInstDlg::Install(const QString& hostSourcePath, const QString& caption, const QString& componentDirName,
                       const QString& discRoot)
{
    if (FBusy || isVisible())
        return TMsgBox::mrCancel;
    Prepare(hostSourcePath, caption, componentDirName, discRoot);
    return exec();
}

void TCInstDlg::showEvent(QShowEvent* event)
{
    // The platform's critical-error prompts have no counterpart here; nothing to switch.
    QDialog::showEvent(event);
}

void TCInstDlg::EnsureDestinationDir(QString& dir, const QString& fallback)
{
    if (PathExists(Host(dir)) || (dir.size() == 2 && dir[1] == ':'))
        return;
    const int answer =
        Ask(QStringLiteral("Soll Verzeichnis %1 erstellt werden?").arg(dir),
            QStringLiteral("Verzeichnis nicht gefunden."), static_cast<int>(TMSGButtons::msgYesNoCancel));
    if (answer == TMsgBox::mrYes) {
        CreateDestination(dir);
    } else if (answer == TMsgBox::mrNo) {
        // The place the files go instead must be one the user can see in the list, never a
        // directory of the system that a shortened path happens to name.
        const QString instead = QDir::cleanPath(fallback);
        const bool shown = instead == QDir::cleanPath(DestDirListBox->Directory());
        if (!QFileInfo(instead).isDir() || (!shown && IsProtectedDirectory(Host(instead)))) {
            Tell(QStringLiteral("In das Verzeichnis %1 wird nichts geschrieben. Bitte wählen Sie ein Zielverzeichnis.")
                     .arg(instead.isEmpty() ? fallback : instead),
                 QStringLiteral("Verzeichnis nicht gefunden."));
            throw ENoDir("Verzeichnis erstellen abgebrochen!");
        }
        dir = fallback;
    } else {
        throw ENoDir("Verzeichnis erstellen abgebrochen!");
    }
}

void TCInstDlg::CreateDestination(const QString& dir)
{
    QString reason;
    if (!dir.startsWith('/')) {
        // Only a full path names one place; a relative one would land wherever the program runs.
        reason = QStringLiteral("Der Pfad ist nicht vollständig");
    } else {
        std::error_code error;
        std::filesystem::create_directories(Host(dir), error);
        if (error)
            reason = Local(SystemErrorText(error.value()));
        else if (!QFileInfo(dir).isDir())
            reason = Local(SystemErrorText(ENOTDIR));
    }
    if (reason.isEmpty())
        return;
    Tell(QStringLiteral("Das Verzeichnis %1 konnte nicht erstellt werden: %2.").arg(dir, reason),
         QStringLiteral("Verzeichnis erstellen"));
    throw ENoDir("Verzeichnis erstellen abgebrochen!");
}

void TCInstDlg::CopyBtnClick(QObject* sender)
{
    if (FBusy || CompFiles->SelCount() == 0)
        return;
    QString dest;
    if (sender == DestDirListBox)
        dest = DestDirListBox->ItemPath(DestDirListBox->currentRow());
    else if (sender == DestFiles)
        dest = DestFiles->Directory();
    else
        dest = DestEdit->text();
    try {
        EnsureDestinationDir(dest, DestDirListBox->ItemPath(DestDirListBox->currentRow()));
    } catch (const ENoDir&) {
        return;
    }
    // What is to be copied is taken now: the lists may be read again while the copy runs.
    struct TJob {
        QString Source;
        QString Name;
        int64_t Size;
    };
    std::vector<TJob> jobs;
    for (int i = 0; i < CompFiles->count(); ++i) {
        if (!CompFiles->Selected(i))
            continue;
        const TFileEntry& entry = CompFiles->EntryAt(i);
        if (!entry.IsDirectory)
            jobs.push_back({CompFiles->FullPathOf(i), Local(entry.FileName), entry.Size});
    }
    int copied = 0;
    QString failure;
    {
        BeginRun(QStringLiteral("Kopiere Dateien..."));
        struct TEnd {
            TCInstDlg& Self;
            ~TEnd() { Self.EndRun(); }
        } end{*this};
        for (const TJob& job : jobs) {
            const QString target = Local(IncludeBackslash(Host(dest))) + job.Name;
            // A file that cannot be copied (a full disk, a disc taken out) ends the command
            // with a word to the user; the files after it would fail alike.
            try {
                if (!CopyOneFile(job.Source, target, job.Name, job.Size, FProgressForm.get()))
                    break;
            } catch (const Exception& e) {
                failure = QStringLiteral("Datei %1 konnte nicht kopiert werden: %2.")
                              .arg(target, QString::fromStdString(e.Message()));
                break;
            }
            ++copied;
        }
    }
    if (!failure.isEmpty())
        Tell(failure, QStringLiteral("Datei kopieren"));
    DestFiles->Reload();
    GuardedCall([&] { DestDirListBox->SetDirectory(dest); });
    // Last, so that the change notifications of the re-read lists do not overwrite the count.
    SetStatus(QStringLiteral("%1 Datei(en) kopiert.").arg(copied));
}

void TCInstDlg::BeginRun(const QString& text)
{
    FBusy = true;
    for (QWidget* part : std::vector<QWidget*>{CompInstBox, DestDirBox, CloseBtn})
        part->setEnabled(false);
    // A child window of the dialog, so that its button takes clicks while the dialog is modal.
    FProgressForm = std::make_unique<TProgressForm>(this);
    FProgressForm->EnableCancel();
    FProgressForm->InfoLabel()->setText(text);
    FProgressForm->show();
    FProgressForm->repaint();
}

void TCInstDlg::EndRun()
{
    FProgressForm.reset();
    for (QWidget* part : std::vector<QWidget*>{CompInstBox, DestDirBox, CloseBtn})
        part->setEnabled(true);
    FBusy = false;
    if (std::exchange(FCloseAfterRun, false))
        done(TMsgBox::mrCancel);
}

bool TCInstDlg::CopyOneFile(const QString& source, const QString& target, const QString& name, int64_t size,
                            TProgressForm* progress)
{
    TCopyControl control;
    control.BlockSize = kCopyBlock;
    control.Overwrite = [&] {
        FMessi->SetButtons(TMSGButtons::msgYesNo);
        FMessi->SetMsg(QStringLiteral("Soll Datei %1 überschrieben werden?").arg(target));
        FMessi->SetCaption(QStringLiteral("Datei kopieren"));
        FMessi->SetDefaultButton(0);
        if (QDialog* window = FMessi->Window())
            window->setWindowFlag(Qt::WindowStaysOnTopHint, true);
        const int answer = FMessi->Execute();
        if (QDialog* window = FMessi->Window())
            window->setWindowFlag(Qt::WindowStaysOnTopHint, false);
        return answer == TMsgBox::mrYes;
    };
    control.Progress = [&](int64_t copied) {
        if (progress && size > 0)
            progress->Gauge()->SetProgress(static_cast<int>(copied * 100 / size));
        QCoreApplication::processEvents();
        return !(progress && progress->CancelRequested());
    };
    if (progress) {
        progress->InfoLabel()->setText(QStringLiteral("Kopiere Datei: ") + name);
        progress->repaint();
    }
    // A skipped file still counts as dealt with; only a cancel stops the command.
    return CopyFileSafely(Host(source), Host(target), control) != TCopyOutcome::Cancelled;
}

void TCInstDlg::Tell(const QString& text, const QString& caption)
{
    FMessi->SetButtons(TMSGButtons::msgOK);
    FMessi->SetMsg(text);
    FMessi->SetCaption(caption);
    FMessi->Execute();
}

void TCInstDlg::UnpackBtnClick()
{
    FOverwriteAll = false;
    const int current = CompFiles->currentRow();
    if (FBusy || current < 0 || CompFiles->EntryAt(current).IsDirectory)
        return;
    const QString archive = CompFiles->FullPathOf(current);
    QString dest = DestEdit->text();
    try {
        EnsureDestinationDir(dest, Local(PathPart(Host(DestEdit->text()))));
    } catch (const ENoDir&) {
        return;
    }
    dest = Local(IncludeBackslash(Host(dest)));
    if (QDialog* window = FMessi->Window())
        window->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    FRefused.clear();
    FFailed.clear();
    FWritten = 0;
    FReplaced = 0;
    {
        BeginRun(QStringLiteral("Entpacke..."));
        // An archive inside a disc image is unpacked from a copy that goes when it is done.
        const TArchiveCopy local(Host(archive));
        if (!local.Error().empty()) {
            EndRun();
            Tell(QStringLiteral("Das Archiv %1 konnte nicht gelesen werden: %2.").arg(archive, Local(local.Error())),
                 QStringLiteral("Entpacken"));
            return;
        }
        struct TFree {
            TCInstDlg& Self;
            ~TFree()
            {
                Self.Unziper.lpszZipFile.ClearText();
                Self.Unziper.lpszDestination.ClearText();
                Self.EndRun();
            }
        } free{*this};
        QLabel* label = FProgressForm->InfoLabel();
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        label->adjustSize();
        const QByteArray zip = QByteArray::fromStdString(local.Path());
        const QByteArray destination = dest.toUtf8();
        Unziper.lpszZipFile.SetText(zip.constData());
        Unziper.lpszDestination.SetText(destination.constData());
        Unziper.RunFunction(UNZIP_EXTRACT);
    }
    TellUnpackResult(archive, dest);
    DestFiles->Reload();
    // After "Nein" the folder in DestEdit was never made; the list shows where the files went.
    const QString shown = QFileInfo(DestEdit->text()).isDir() ? DestEdit->text() : dest;
    GuardedCall([&] { DestDirListBox->SetDirectory(shown); });
    // Last, so that the change notifications of the re-read lists do not overwrite the count.
    const QString unpacked = QStringLiteral("%1 Datei(en) entpackt").arg(FWritten);
    SetStatus(FReplaced > 0 ? unpacked + QStringLiteral(", %1 davon überschrieben.").arg(FReplaced)
                            : unpacked + QLatin1Char('.'));
}

// The library has told of a cancel itself; anything else that went wrong is said here, so
// that a half-unpacked component does not pass for an installed one.
void TCInstDlg::TellUnpackResult(const QString& archive, const QString& dest)
{
    // A long list of names would make a box taller than the screen.
    auto listed = [](const QStringList& names) {
        constexpr int kShown = 10;
        QString text = QStringList(names.mid(0, kShown)).join(QStringLiteral("\n"));
        if (names.size() > kShown)
            text += QStringLiteral("\nund %1 weitere").arg(names.size() - kShown);
        return text;
    };
    QStringList parts;
    if (Unziper.LastResult == DZ_ERR_ARCHIVE)
        parts << QStringLiteral("Das Archiv %1 fehlt oder ist beschädigt.").arg(archive);
    else if (Unziper.LastResult == DZ_ERR_WRITE && FFailed.isEmpty())
        parts << QStringLiteral("In das Verzeichnis %1 kann nicht entpackt werden.").arg(dest);
    else if (Unziper.LastResult == DZ_ERR_PARAMS)
        parts << QStringLiteral("Das Archiv %1 konnte nicht entpackt werden.").arg(archive);
    if (!FFailed.isEmpty())
        parts << QStringLiteral("Nicht geschrieben wurde aus %1 nach %2:\n%3").arg(archive, dest, listed(FFailed));
    if (!FRefused.isEmpty())
        parts << QStringLiteral(
                     "Übergangen, weil außerhalb des Zielverzeichnisses, Verknüpfung oder unglaubhaft groß:\n%1")
                     .arg(listed(FRefused));
    if (!FFailed.isEmpty() || !FRefused.isEmpty()) {
        // A full disk ends the unpacking: the members after it were not tried.
        const bool ended = !FFailed.isEmpty() && FFailed.back().endsWith(Local(SystemErrorText(ENOSPC)));
        if (FWritten == 0)
            parts << (ended ? QStringLiteral("Das Entpacken wurde beendet; es wurde keine Datei geschrieben.")
                            : QStringLiteral("Es wurde keine Datei geschrieben."));
        else if (ended)
            parts << QStringLiteral("Das Entpacken wurde beendet; die Dateien davor wurden geschrieben.");
        else
            parts << QStringLiteral("Die anderen Dateien wurden geschrieben.");
    }
    if (!parts.isEmpty())
        Tell(parts.join(QStringLiteral("\n\n")), QStringLiteral("Entpacken"));
}

void TCInstDlg::UnziperMinorCallback(const char* szItem, int32_t Percent, bool& DoCancel)
{
    DoCancel = false;
    if (!FProgressForm)
        return;
    QLabel* label = FProgressForm->InfoLabel();
    const QString text = QString::fromUtf8(szItem ? szItem : "");
    label->setText(text);
    label->adjustSize();
    const int width = QFontMetrics(label->font()).horizontalAdvance(text) + 30;
    FProgressForm->setFixedWidth(std::max(width, FProgressForm->MinimumWidth()));
    TBevelPanel* panel = FProgressForm->Panel();
    panel->resize(FProgressForm->width(), panel->height());  // the panel fills the window
    TGauge* gauge = FProgressForm->Gauge();
    gauge->move((panel->width() - gauge->width()) / 2, gauge->y());
    label->move((panel->width() - label->width()) / 2, label->y());
    gauge->SetProgress(Percent);
    FProgressForm->repaint();
    // The unpacking runs in this thread: the click on "Abbrechen" arrives only here.
    QCoreApplication::processEvents();
    DoCancel = FProgressForm && FProgressForm->CancelRequested();
}

QString TCInstDlg::UnzipText(int number)
{
    switch (number) {
    case DZ_TEXT_CAPTION:
        return QStringLiteral("Entpacker");
    case DZ_TEXT_WARNING_CAPTION:
        return QStringLiteral("Entpacker - Warnung");
    case DZ_TEXT_OVERWRITE:
        return QStringLiteral("Datei %s existiert schon, soll sie überschrieben werden?");
    case DZ_TEXT_EXTRACTING:
        return QStringLiteral("Entpacke Datei: %s");
    case DZ_TEXT_OVERWRITE_RO:
        return QStringLiteral(
            "Datei %s existiert schon und hat das Nur-Lesen-Attribut, Soll sie überschrieben werden?");
    default:
        return QString();
    }
}

void TCInstDlg::UnziperMessageCallback(uint16_t MsgID, uint16_t, int32_t p1, int32_t, char* lpsz1, char* lpsz2,
                                       int& RtnResult)
{
    switch (MsgID) {
    case DZ_MSG_TEXT: {
        const QByteArray text = UnzipText(p1).toUtf8();
        if (text.isEmpty() || !lpsz1)
            return;
        const size_t n = std::min(static_cast<size_t>(text.size()), static_cast<size_t>(DZ_TEXT_BUFFER - 1));
        std::memcpy(lpsz1, text.constData(), n);
        lpsz1[n] = '\0';
        RtnResult = 1;
        return;
    }
    case DZ_MSG_QUESTION: {
        if (FOverwriteAll) {
            RtnResult = TMsgBox::mrYes;
            return;
        }
        RtnResult = Ask(QString::fromUtf8(lpsz1 ? lpsz1 : ""), QString::fromUtf8(lpsz2 ? lpsz2 : ""),
                        static_cast<int>(TMSGButtons::msgYesAllNoCancel));
        if (RtnResult == TMsgBox::mrAll) {
            FOverwriteAll = true;
            RtnResult = TMsgBox::mrYes;
        }
        return;
    }
    case DZ_MSG_CANCELLED:
        Ask(QStringLiteral("Entpacken abgebrochen."), QStringLiteral("Entpacker - Information"),
            static_cast<int>(TMSGButtons::msgOK));
        RtnResult = 1;
        return;
    case DZ_MSG_REFUSED:
        // The library's own notice of a member it would not write; said once it is over.
        std::cerr << "lumarc: " << (lpsz1 ? lpsz1 : "") << ": " << (lpsz2 ? lpsz2 : "") << '\n';
        FRefused << QString::fromUtf8(lpsz1 ? lpsz1 : "");
        RtnResult = 1;
        return;
    case DZ_MSG_WRITTEN:
        ++FWritten;
        if (lpsz2 && std::strcmp(lpsz2, "replaced") == 0)
            ++FReplaced;
        RtnResult = 1;
        return;
    case DZ_MSG_FAILED: {
        const QString member = QString::fromUtf8(lpsz1 ? lpsz1 : "");
        const std::string reason = lpsz2 ? lpsz2 : "";
        QString why = QStringLiteral("beschädigt");
        if (reason.rfind("errno ", 0) == 0)
            why = Local(SystemErrorText(std::atoi(reason.c_str() + 6)));
        FFailed << QStringLiteral("%1: %2").arg(member, why);
        RtnResult = 1;
        return;
    }
    default:
        RtnResult = 1;
        return;
    }
}

void TCInstDlg::Change()
{
    DriveComboBox->ShowDriveOf(DestDirListBox->Directory());
    FLastGoodDrive = DriveComboBox->Drive();
    const QString dir = DestDirListBox->Directory();
    DestEdit->setText(dir);
    if (!dir.toUpper().contains(FComponentDirName.toUpper()))
        DestEdit->setText(Local(IncludeBackslash(Host(dir))) + FComponentDirName);
    FLastGoodDest = DestEdit->text();
}

void TCInstDlg::CompFilesChange()
{
    bool copyable = false;
    for (int i = 0; i < CompFiles->count() && !copyable; ++i) {
        if (!CompFiles->Selected(i))
            continue;
        const TFileEntry& entry = CompFiles->EntryAt(i);
        copyable = !entry.IsDirectory && entry.Name != "." && entry.Name != "..";
    }
    CopyBtn->setEnabled(copyable);
    const int current = CompFiles->currentRow();
    UnpackBtn->setEnabled(copyable && current >= 0 && IsArchive(current));
    UpdateSelectionStatus();
}

bool TCInstDlg::IsArchive(int index)
{
    const TFileEntry& entry = CompFiles->EntryAt(index);
    const QString extension = Local(UpperExtension(entry.Name));
    if (extension == QStringLiteral(".ZIP"))
        return true;
    if (entry.IsDirectory || extension != QStringLiteral(".EXE"))
        return false;
    // A program may be a self-extractor with the archive appended; the file says so, once.
    const QString path = CompFiles->FullPathOf(index);
    const auto known = FArchiveProbes.constFind(path);
    if (known != FArchiveProbes.constEnd())
        return *known;
    return FArchiveProbes[path] = HoldsZipArchive(Host(path));
}

void TCInstDlg::UpdateSelectionStatus()
{
    // The first entry is the way up (".."); it must not join a selection of files. A first
    // entry that is a file stays selectable.
    if (CompFiles->SelCount() > 0 && CompFiles->Selected(0) && !CompFiles->EnableDirSel() &&
        CompFiles->EntryAt(0).IsDirectory)
        CompFiles->SetSelected(0, false);
    // Folders in a selection are neither copied nor unpacked: the count says what would be.
    auto selectedFiles = [](const TxFileListBox* list) {
        int files = 0;
        for (int i = 0; i < list->count(); ++i)
            files += list->Selected(i) && !list->EntryAt(i).IsDirectory ? 1 : 0;
        return files;
    };
    SetStatus(QStringLiteral("%1 Datei(en) ausgewählt.").arg(selectedFiles(CompFiles)));
    DestStatLabel->setText(QStringLiteral("%1 Datei(en) ausgewählt.").arg(selectedFiles(DestFiles)));
    DestStatLabel->adjustSize();
}

void TCInstDlg::SetStatus(const QString& text, const QString& detail)
{
    StatusLabel->setText(text);
    StatusLabel->setToolTip(detail);
}

void TCInstDlg::DestFilesExecute(const QString& path)
{
    if (ShellOpen && !ShellOpen(path))
        Tell(QStringLiteral("Für die Datei %1 ist kein Programm eingerichtet, das sie öffnet.").arg(path),
             QStringLiteral("Ausführen"));
}

void TCInstDlg::CompFilesDblClick(TxFileListBox* list)
{
    const int current = list->currentRow();
    if (current >= 0 && list->EntryAt(current).IsDirectory)
        return;
    list->setUpdatesEnabled(false);
    for (int i = 0; i < list->count(); ++i) {
        if (!list->EntryAt(i).IsDirectory)
            list->SetSelected(i, true);
    }
    list->SetItemIndex(current);
    list->setUpdatesEnabled(true);
}

void TCInstDlg::ExecBtnClick()
{
    DestFiles->ExecuteCurrent();
}

void TCInstDlg::SelBtnClick()
{
    CompFilesDblClick(DestFiles);
}

void TCInstDlg::KillBtnClick()
{
    if (FBusy)
        return;
    if (DestFiles->SelCount() == 0) {
        KillBtnDragDrop(DestDirListBox);
        return;
    }
    std::vector<QString> paths;
    bool toTrash = true;
    for (int i = 0; i < DestFiles->count(); ++i) {
        if (DestFiles->Selected(i) && !DestFiles->EntryAt(i).IsDirectory) {
            paths.push_back(DestFiles->FullPathOf(i));
            toTrash = toTrash && TrashCanTake(Host(paths.back()));
        }
    }
    const QString question = toTrash
                                 ? QStringLiteral("Sollen die markierten Dateien in den Papierkorb verschoben werden?")
                                 : QStringLiteral(
                                       "Sollen die markierten Dateien gelöscht werden?\n"
                                       "Es gibt hier keinen Papierkorb: sie sind dann endgültig gelöscht.");
    if (Ask(question, QStringLiteral("Dateien löschen."), static_cast<int>(TMSGButtons::msgYesNo), TMsgBox::mrNo) !=
        TMsgBox::mrYes)
        return;
    struct TReread {
        TxFileListBox* List;
        ~TReread() { List->Reload(); }
    } reread{DestFiles};
    QStringList kept;
    for (const QString& path : paths) {
        // A file that will not go is skipped; the next one follows.
        if (toTrash ? !MoveToTrash(Host(path)) : ::unlink(Host(path).c_str()) != 0)
            kept << path;
    }
    if (!kept.isEmpty())
        Tell(QStringLiteral("Nicht gelöscht wurde:\n%1").arg(kept.mid(0, 10).join('\n')),
             QStringLiteral("Dateien löschen."));
}

bool TCInstDlg::KillBtnDragOver(QObject* source) const
{
    return source == DestDirListBox || source == DestFiles;
}

void TCInstDlg::KillBtnDragDrop(QObject* source)
{
    if (source == DestDirListBox)
        DeleteDirectoryTree();
    else if (source == DestFiles)
        KillBtnClick();
}

void TCInstDlg::DeleteDirectoryTree()
{
    const QString path = QDir::cleanPath(DestDirListBox->ItemPath(DestDirListBox->currentRow()));
    // The system's own directories, the home and the ways to it, and whole drives are never
    // deleted as a whole, whatever the answer would be.
    if (path.isEmpty() || IsProtectedDirectory(Host(path)) || DriveComboBox->findText(path) >= 0) {
        Tell(QStringLiteral("Das Verzeichnis %1 wird nicht gelöscht.").arg(path),
             QStringLiteral("Verzeichnis löschen"));
        return;
    }
    const bool toTrash = TrashCanTake(Host(path));
    const QString question =
        toTrash
            ? QStringLiteral("Soll Verzeichnis %1 mit allen Unterverzeichnissen in den Papierkorb verschoben werden?")
            : QStringLiteral(
                  "Soll Verzeichnis %1 mit allen Unterverzeichnissen gelöscht werden?\n"
                  "Es gibt hier keinen Papierkorb: es ist dann endgültig gelöscht.");
    if (Ask(question.arg(path), QStringLiteral("Verzeichnis löschen"), static_cast<int>(TMSGButtons::msgOKCancel),
            TMsgBox::mrCancel) != TMsgBox::mrOK)
        return;
    DestDirListBox->SetDirectory(Local(PathPart(Host(path))));
    DestDirListBox->SetDirectory(DestDirListBox->Directory());
    if (!toTrash)
        DeleteDirectory(Host(path), [this](const std::string& text, const std::string& caption) {
            Ask(Local(text), Local(caption), static_cast<int>(TMSGButtons::msgOK), 0);
        });
    else if (!MoveToTrash(Host(path)))
        Tell(QStringLiteral("Das Verzeichnis %1 konnte nicht in den Papierkorb verschoben werden.").arg(path),
             QStringLiteral("Verzeichnis löschen"));
    DestDirListBox->Update();
}

void TCInstDlg::DestKeyDown(QObject* sender, int key, Qt::KeyboardModifiers modifiers)
{
    if (key == Qt::Key_Delete && !(modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)))
        KillBtnDragDrop(sender);
}

bool TCInstDlg::DestFilesDragOver(QObject* source) const
{
    return source == CompFiles && CopyBtn->isEnabled();
}

void TCInstDlg::DestFilesDragDrop(QObject* target, QObject* source)
{
    if (source == CompFiles)
        CopyBtnClick(target);
}

void TCInstDlg::CompFilesClick()
{
    const int current = CompFiles->currentRow();
    if (current < 0)
        return;
    DestEdit->setText(Local(IncludeBackslash(Host(DestDirListBox->Directory()))) +
                      Local(FileTitle(CompFiles->EntryAt(current).Name)));
}

void TCInstDlg::FormKeyDown()
{
    if (CompFiles->hasFocus())
        DestDirListBox->setFocus();
    else
        CompFiles->setFocus();
}

QObject* TCInstDlg::DropTargetOf(QObject* watched) const
{
    if (watched == DestFiles->viewport())
        return DestFiles;
    if (watched == DestDirListBox->viewport())
        return DestDirListBox;
    return watched;
}

bool TCInstDlg::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QDialog::eventFilter(watched, event);
    auto* drop = static_cast<QDropEvent*>(event);
    QObject* target = DropTargetOf(watched);
    QObject* source = drop->source();
    const bool accepted = target == KillBtn ? KillBtnDragOver(source) : DestFilesDragOver(source);
    if (type != QEvent::Drop) {
        if (accepted)
            drop->acceptProposedAction();
        else
            drop->ignore();
        return true;
    }
    if (accepted) {
        drop->acceptProposedAction();
        GuardedCall([&] {
            if (target == KillBtn)
                KillBtnDragDrop(source);
            else
                DestFilesDragDrop(target, source);
        });
    }
    return true;
}

}  // namespace lumarc
