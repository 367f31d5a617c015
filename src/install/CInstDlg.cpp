#include "CInstDlg.h"
#include "HostText.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
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

#include <iostream>
#include <vector>

#include "settings/core/InstallSource.h"
#include "controls/DirectoryListBox.h"
#include "controls/DriveComboBox.h"
#include "controls/xFileListBox.h"
#include "install/core/InstallRecorder.h"
#include "platform/ApplicationErrors.h"
#include "platform/FileNames.h"
#include "platform/ZipProbe.h"
#include "settings/core/PathRoutines.h"
#include "settings/core/Settings.h"
#include "widgets/DesignLook.h"
#include "widgets/MsgBox.h"
#include "widgets/ProgressForm.h"

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
    // Opened now, before any run writes: what goes wrong with the list is said when a run
    // ends, not in the middle of one.
    FStore = std::make_unique<TInstallStore>(TInstallStore::DefaultPath(), [this](const std::string& message) {
        if (!FStoreNotices.contains(Local(message)))
            FStoreNotices << Local(message);
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

void TCInstDlg::Tell(const QString& text, const QString& caption)
{
    FMessi->SetButtons(TMSGButtons::msgOK);
    FMessi->SetMsg(text);
    FMessi->SetCaption(caption);
    FMessi->Execute();
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
