#include "CInstDlg.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QUrl>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <vector>

#include "platform/ApplicationErrors.h"
#include "InstallSource.h"
#include "controls/DirectoryListBox.h"
#include "controls/DriveComboBox.h"
#include "controls/Gauge.h"
#include "controls/xFileListBox.h"
#include "print/BevelPanel.h"
#include "print/ProgressForm.h"
#include "settings/core/FileRoutines.h"
#include "settings/core/PathRoutines.h"
#include "settings/core/Settings.h"
#include "shell/MsgBox.h"

namespace lumarc {

namespace {

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text, int left, int top, int width, int height)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(left, top, width, height);
    button->setAutoDefault(false);
    return button;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, int left, int top)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->move(left, top);
    label->adjustSize();
    return label;
}

QString Local(const std::string& text)
{
    return QString::fromStdString(text);
}

std::string Host(const QString& text)
{
    return text.toStdString();
}

// The extension as the dialog compares it: from the last "." after the last separator.
QString UpperExtension(const QString& name)
{
    const int sep = static_cast<int>(std::max({name.lastIndexOf(':'), name.lastIndexOf('\\'), name.lastIndexOf('/')}));
    const int dot = static_cast<int>(name.lastIndexOf('.'));
    return dot > sep ? name.mid(dot).toUpper() : QString();
}

// Closes a descriptor at the end of a scope.
struct TFdGuard {
    int Fd = -1;
    ~TFdGuard()
    {
        if (Fd >= 0)
            ::close(Fd);
    }
};

void ConfigureFileList(TxFileListBox* list)
{
    list->SetColor(Qt::white);
    QFont font(QStringLiteral("System"));
    font.setPixelSize(13);
    font.setBold(true);
    list->setFont(font);
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
    setFixedSize(kClientWidth, kClientHeight);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    font.setBold(true);
    setFont(font);
    ShellOpen = [](const QString& path) { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };
    FMessi = std::make_unique<TMsgBox>();
    FMessi->SetCaption(QStringLiteral("Brimvale"));
    FMessi->SetButtons(TMSGButtons::msgOKCancel);
    Unziper.lpszFileSpec.SetText("*.*");
    Unziper.IndexofItem = 0;
    Unziper.OnMinorCallback = [this](const char* item, int32_t percent, bool& cancel) {
        UnziperMinorCallback(item, percent, cancel);
    };
    Unziper.OnMessageCallback = [this](uint16_t id, uint16_t type, int32_t p1, int32_t p2, char* s1, char* s2, int& result) {
        UnziperMessageCallback(id, type, p1, p2, s1, s2, result);
    };
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
    CloseBtn = MakeButton(this, "CloseBtn", QStringLiteral("&Close"), 444, 390, 97, 27);
    connect(CloseBtn, &QPushButton::clicked, this, &TCInstDlg::reject);

    CompInstBox = new QGroupBox(QStringLiteral("KomponentenName"), this);
    CompInstBox->setObjectName(QStringLiteral("CompInstBox"));
    CompInstBox->setGeometry(4, 2, 225, 383);
    FileNameLabel = MakeLabel(CompInstBox, "FileNameLabel", QStringLiteral("DateiName:"), 12, 20);
    SizeLabel = MakeLabel(CompInstBox, "SizeLabel", QStringLiteral("Größe:"), 154, 20);

    DestDirBox = new QGroupBox(QStringLiteral("Zielverzeichnis"), this);
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

    StatusLabel = MakeLabel(this, "StatusLabel", QString(), 7, 400);
    ExecBtn = MakeButton(DestDirBox, "ExecBtn", QStringLiteral("Ausfüh&ren"), 9, 349, 100, 28);
    SelBtn = MakeButton(DestDirBox, "SelBtn", QStringLiteral("&Markieren"), 112, 349, 97, 28);
    KillBtn = MakeButton(DestDirBox, "KillBtn", QStringLiteral("&Löschen"), 212, 349, 97, 28);

    CompFiles = new TxFileListBox(CompInstBox);
    CompFiles->setObjectName(QStringLiteral("CompFiles"));
    CompFiles->setGeometry(10, 36, 205, 309);
    CopyBtn = MakeButton(CompInstBox, "CopyBtn", QStringLiteral("&Kopieren"), 10, 349, 100, 28);
    CopyBtn->setToolTip(QStringLiteral("Kopiere die ausgewählte(n) Datei(en) ins Zielverzeichnis"));
    UnpackBtn = MakeButton(CompInstBox, "UnpackBtn", QStringLiteral("Ent&packen"), 116, 349, 100, 28);
    UnpackBtn->setToolTip(QStringLiteral("Entpacke die ausgewählte Datei ins Zielverzeichnis"));
    DestStatLabel = MakeLabel(this, "DestStatLabel", QString(), 233, 398);

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
    DestFiles->OnExecute = [this](TxFileListBox*, const QString& path) { DestFilesExecute(path); };
    connect(CompFiles, &TxFileListBox::MouseUp, this, guarded([this] { UpdateSelectionStatus(); }));
    connect(CompFiles, &TxFileListBox::MouseMove, this, guarded([this] { UpdateSelectionStatus(); }));
    connect(CompFiles, &TxFileListBox::KeyDown, this, guarded([this] { UpdateSelectionStatus(); }));
    connect(CompFiles, &TxFileListBox::DblClick, this, guarded([this] { CompFilesDblClick(CompFiles); }));
    connect(CompFiles, &QListWidget::itemClicked, this, guarded([this] { CompFilesClick(); }));
    connect(ExecBtn, &QPushButton::clicked, this, guarded([this] { ExecBtnClick(); }));
    connect(SelBtn, &QPushButton::clicked, this, guarded([this] { SelBtnClick(); }));
    connect(KillBtn, &QPushButton::clicked, this, guarded([this] { KillBtnClick(); }));
    connect(DestFiles, &TxFileListBox::KeyDown, this, [this](int key, Qt::KeyboardModifiers mods) {
        GuardedCall([&] { DestKeyDown(DestFiles, key, mods); });
    });
    connect(DestDirListBox, &TDirectoryListBox::KeyDown, this, [this](int key, Qt::KeyboardModifiers mods) {
        GuardedCall([&] { DestKeyDown(DestDirListBox, key, mods); });
    });
}

void TCInstDlg::FormCreate()
{
    FOldExceptionHook = SetApplicationExceptionHook([this](const std::exception& error) {
        if (!dynamic_cast<const EInOutError*>(&error))
            return;
        try {
            DriveComboBox->SetDrive(FLastGoodDrive);
        } catch (const std::exception& again) {
            std::cerr << "lumarc: " << again.what() << '\n';
        }
    });
    SetDeleteTreeMessageHook([this](const std::string& text, const std::string& caption) {
        FMessi->SetMsg(Local(text));
        FMessi->SetCaption(Local(caption));
        FMessi->SetButtons(TMSGButtons::msgOK);
        FMessi->Execute();
    });
}

void TCInstDlg::FormDestroy()
{
    SetApplicationExceptionHook(std::move(FOldExceptionHook));
    SetDeleteTreeMessageHook({});
}

void TCInstDlg::SetMessageBox(std::unique_ptr<TMsgBox> box)
{
    if (box)
        FMessi = std::move(box);
}

int TCInstDlg::Ask(const QString& text, const QString& caption, int buttons)
{
    FMessi->SetMsg(text);
    FMessi->SetCaption(caption);
    FMessi->SetButtons(static_cast<TMSGButtons>(buttons));
    return FMessi->Execute();
}

void TCInstDlg::Prepare(const QString& hostSourcePath, const QString& caption, const QString& componentDirName)
{
    CompInstBox->setTitle(caption);
    FComponentDirName = componentDirName;
    const std::string source = Host(hostSourcePath);
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
        GuardedCall([this] { CompFiles->SetDirectory(QDir::currentPath()); });
    }
    // The default destination may be a path of another system ("c:\delphi\component"); the
    // list then stays where it was.
    const QString destination = Local(Settings().DefaultDestinationPath);
    bool shown = false;
    if (destination.startsWith('/')) {
        try {
            DestDirListBox->SetDirectory(destination);
            shown = true;
        } catch (const std::exception&) {
        }
    }
    // The list stays where it was; the destination text follows it and this component, so the
    // text never names a directory of another system ("c:\delphi\newcomps").
    if (!shown)
        GuardedCall([this] { Change(); });
}

void TCInstDlg::reject()
{
    done(TMsgBox::mrCancel);
}

int TCInstDlg::Install(const QString& hostSourcePath, const QString& caption, const QString& componentDirName)
{
    Prepare(hostSourcePath, caption, componentDirName);
    return exec();
}

void TCInstDlg::showEvent(QShowEvent* event)
{
    // The platform's critical-error prompts have no counterpart here; nothing to switch.
    QDialog::showEvent(event);
}

bool TCInstDlg::PathExists(const QString& path)
{
    if (path.size() == 3 && path.mid(1, 2) == QStringLiteral(":\\"))
        return true;
    struct stat st {};
    return !path.isEmpty() && ::lstat(Host(path).c_str(), &st) == 0;
}

void TCInstDlg::EnsureDestinationDir(QString& dir, const QString& fallback)
{
    if (PathExists(dir) || (dir.size() == 2 && dir[1] == ':'))
        return;
    const int answer = Ask(QStringLiteral("Soll Verzeichnis %1 erstellt werden?").arg(dir),
                           QStringLiteral("Verzeichnis nicht gefunden."), static_cast<int>(TMSGButtons::msgYesNoCancel));
    if (answer == TMsgBox::mrYes) {
        // Only a full path names one place; a relative one would land wherever the program
        // happens to run.
        if (!dir.startsWith('/') || ::mkdir(Host(dir).c_str(), 0777) != 0)
            throw EInOutError(InOutErrorMessage(dir.startsWith('/') ? errno : ENOENT));
    } else if (answer == TMsgBox::mrNo) {
        dir = fallback;
    } else {
        throw ENoDir("Verzeichnis erstellen abgebrochen!");
    }
}

void TCInstDlg::CopyBtnClick(QObject* sender)
{
    if (CompFiles->SelCount() == 0)
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
    int copied = 0;
    QString failure;
    {
        FProgressForm = std::make_unique<TProgressForm>();
        struct TFree {
            std::unique_ptr<TProgressForm>& Form;
            ~TFree() { Form.reset(); }
        } free{FProgressForm};
        FProgressForm->InfoLabel()->setText(QStringLiteral("Kopiere Dateien..."));
        FProgressForm->show();
        FProgressForm->repaint();
        for (int i = 0; i < CompFiles->count(); ++i) {
            if (!CompFiles->Selected(i))
                continue;
            const TFileEntry& entry = CompFiles->EntryAt(i);
            if (entry.IsDirectory)
                continue;
            const QString target = Local(IncludeBackslash(Host(dest))) + Local(entry.Name);
            // A file that cannot be copied (a full disk, a disc taken out) ends the command
            // with a word to the user; the files after it would fail alike.
            try {
                CopyOneFile(CompFiles->FullPathOf(i), target, entry, FProgressForm.get());
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
    DestDirListBox->SetDirectory(dest);
    // Last, so that the change notifications of the re-read lists do not overwrite the count.
    StatusLabel->setText(QStringLiteral("%1 Datei(en) kopiert.").arg(copied));
    StatusLabel->adjustSize();
}

bool TCInstDlg::CopyOneFile(const QString& source, const QString& target, const TFileEntry& entry,
                            TProgressForm* progress)
{
    const std::string src = Host(source);
    const std::string dst = Host(target);
    {
        TFdGuard existing{::open(dst.c_str(), O_RDONLY)};
        if (existing.Fd >= 0) {
            FMessi->SetButtons(TMSGButtons::msgYesNo);
            FMessi->SetMsg(QStringLiteral("Soll Datei %1 überschrieben werden?").arg(target));
            FMessi->SetCaption(QStringLiteral("Datei kopieren"));
            if (QDialog* window = FMessi->Window())
                window->setWindowFlag(Qt::WindowStaysOnTopHint, true);
            const int answer = FMessi->Execute();
            if (QDialog* window = FMessi->Window())
                window->setWindowFlag(Qt::WindowStaysOnTopHint, false);
            if (answer != TMsgBox::mrYes)
                return false;
        }
    }
    // The source is opened before the target is touched, so a source that cannot be read
    // costs the existing target nothing.
    TFdGuard in{::open(src.c_str(), O_RDONLY)};
    if (in.Fd < 0)
        throw EInOutError(InOutErrorMessage(errno));
    struct stat srcStat {}, dstStat {};
    if (::fstat(in.Fd, &srcStat) == 0 && ::stat(dst.c_str(), &dstStat) == 0 && srcStat.st_dev == dstStat.st_dev &&
        srcStat.st_ino == dstStat.st_ino)
        return true;  // copying a file onto itself would truncate it
    TFdGuard out{::open(dst.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666)};
    if (out.Fd < 0)
        throw EInOutError(InOutErrorMessage(errno));
    if (progress) {
        progress->InfoLabel()->setText(QStringLiteral("Kopiere Datei: ") + Local(entry.Name));
        progress->repaint();
    }
    std::vector<char> buffer(kCopyBlock);
    int64_t copied = 0;
    try {
        for (;;) {
            const ssize_t n = ::read(in.Fd, buffer.data(), buffer.size());
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                throw EInOutError(InOutErrorMessage(errno));
            }
            if (n == 0)
                break;
            for (ssize_t done = 0; done < n;) {
                const ssize_t w = ::write(out.Fd, buffer.data() + done, static_cast<size_t>(n - done));
                if (w < 0) {
                    if (errno == EINTR)
                        continue;
                    throw EInOutError(InOutErrorMessage(errno));
                }
                done += w;
            }
            copied += n;
            if (progress && entry.Size > 0)
                progress->Gauge()->SetProgress(static_cast<int>(copied * 100 / entry.Size));
            QCoreApplication::processEvents();
        }
        if (::close(out.Fd) != 0) {
            out.Fd = -1;
            throw EInOutError(InOutErrorMessage(errno));
        }
        out.Fd = -1;
    } catch (...) {
        // A half-written copy must not pass for the file; anything but a plain file (a
        // device, a pipe) was not made by the copy and stays.
        struct stat written {};
        if (::lstat(dst.c_str(), &written) == 0 && S_ISREG(written.st_mode))
            ::unlink(dst.c_str());
        throw;
    }
    return true;
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
    if (current < 0)
        return;
    QString dest = DestEdit->text();
    try {
        EnsureDestinationDir(dest, Local(PathPart(Host(DestEdit->text()))));
    } catch (const ENoDir&) {
        return;
    }
    dest = Local(IncludeBackslash(Host(dest)));
    if (QDialog* window = FMessi->Window())
        window->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    {
        FProgressForm = std::make_unique<TProgressForm>();
        struct TFree {
            TCInstDlg& Self;
            ~TFree()
            {
                Self.Unziper.lpszZipFile.ClearText();
                Self.Unziper.lpszDestination.ClearText();
                Self.FProgressForm.reset();
            }
        } free{*this};
        QLabel* label = FProgressForm->InfoLabel();
        label->setText(QStringLiteral("Entpacke..."));
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        label->adjustSize();
        FProgressForm->show();
        FProgressForm->repaint();
        const QByteArray zip = CompFiles->FullPathOf(current).toUtf8();
        const QByteArray destination = dest.toUtf8();
        Unziper.lpszZipFile.SetText(zip.constData());
        Unziper.lpszDestination.SetText(destination.constData());
        Unziper.RunFunction(8);
    }
    // The library has told of a cancel itself; anything else that went wrong is said here, so
    // that a half-unpacked component does not pass for an installed one.
    const QString archive = CompFiles->FullPathOf(current);
    switch (Unziper.LastResult) {
    case DZ_ERR_ARCHIVE:
        Tell(QStringLiteral("Das Archiv %1 fehlt oder ist beschädigt.").arg(archive), QStringLiteral("Entpacken"));
        break;
    case DZ_ERR_REFUSED:
        Tell(QStringLiteral("Nicht alle Dateien aus %1 wurden entpackt: Dateien außerhalb des Zielverzeichnisses, "
                            "Verknüpfungen und unglaubhaft große Dateien werden übergangen.")
                 .arg(archive),
             QStringLiteral("Entpacken"));
        break;
    case DZ_ERR_WRITE:
        Tell(QStringLiteral("Nicht alle Dateien aus %1 konnten nach %2 geschrieben werden "
                            "(ist das Ziellaufwerk voll?).")
                 .arg(archive, dest),
             QStringLiteral("Entpacken"));
        break;
    default:
        break;
    }
    DestFiles->Reload();
    DestDirListBox->SetDirectory(DestEdit->text());
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
    FProgressForm->setFixedWidth(width);
    TBevelPanel* panel = FProgressForm->Panel();
    panel->resize(width, panel->height());  // the panel fills the window
    TGauge* gauge = FProgressForm->Gauge();
    gauge->move((panel->width() - gauge->width()) / 2, gauge->y());
    label->move((panel->width() - label->width()) / 2, label->y());
    gauge->SetProgress(Percent);
    FProgressForm->repaint();
}

QString TCInstDlg::UnzipText(int number)
{
    switch (number) {
    case 13:
        return QStringLiteral("Entpacker");
    case 14:
        return QStringLiteral("Entpacker - Warnung");
    case 68:
        return QStringLiteral("Datei %s existiert schon, soll sie überschrieben werden?");
    case 72:
        return QStringLiteral("Entpacke Datei: %s");
    case 128:
        return QStringLiteral("Datei %s existiert schon und hat das Nur-Lesen-Attribut, Soll sie überschrieben werden?");
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
        // The library's own notice of a member it would not write; not the user's question.
        std::cerr << "lumarc: " << (lpsz1 ? lpsz1 : "") << ": " << (lpsz2 ? lpsz2 : "") << '\n';
        RtnResult = 1;
        return;
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
    UnpackBtn->setEnabled(copyable && current >= 0 &&
                          UpperExtension(Local(CompFiles->EntryAt(current).Name)) == QStringLiteral(".ZIP"));
    UpdateSelectionStatus();
}

void TCInstDlg::UpdateSelectionStatus()
{
    // The first entry is the way up (".."); it must not join a selection of files. A first
    // entry that is a file stays selectable.
    if (CompFiles->SelCount() > 0 && CompFiles->Selected(0) && !CompFiles->EnableDirSel() &&
        CompFiles->EntryAt(0).IsDirectory)
        CompFiles->SetSelected(0, false);
    StatusLabel->setText(QStringLiteral("%1 Datei(en) ausgewählt.").arg(CompFiles->SelCount()));
    StatusLabel->adjustSize();
    DestStatLabel->setText(QStringLiteral("%1 Datei(en) ausgewählt.").arg(DestFiles->SelCount()));
    DestStatLabel->adjustSize();
}

void TCInstDlg::DestFilesExecute(const QString& path)
{
    if (ShellOpen)
        ShellOpen(path);
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
    if (DestFiles->SelCount() == 0) {
        KillBtnDragDrop(DestDirListBox);
        return;
    }
    if (Ask(QStringLiteral("Sollen die markierten Dateien gelöscht werden?"), QStringLiteral("Dateien löschen."),
            static_cast<int>(TMSGButtons::msgYesNo)) != TMsgBox::mrYes)
        return;
    struct TReread {
        TxFileListBox* List;
        ~TReread() { List->Reload(); }
    } reread{DestFiles};
    for (int i = 0; i < DestFiles->count(); ++i) {
        if (DestFiles->Selected(i) && !DestFiles->EntryAt(i).IsDirectory)
            ::unlink(Host(DestFiles->FullPathOf(i)).c_str());  // a file that will not go is skipped
    }
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
    const QString path = DestDirListBox->ItemPath(DestDirListBox->currentRow());
    // A drive or the home directory is never deleted as a whole, whatever the answer would be.
    if (path.isEmpty() || path == QStringLiteral("/") || path == QDir::homePath() ||
        DriveComboBox->findText(path) >= 0)
        return;
    if (Ask(QStringLiteral("Soll Verzeichnis %1 mit allen Unterverzeichnissen gelöscht werden?").arg(path),
            QStringLiteral("Verzeichnis löschen"), static_cast<int>(TMSGButtons::msgOKCancel)) != TMsgBox::mrOK)
        return;
    DestDirListBox->SetDirectory(Local(PathPart(Host(path))));
    DestDirListBox->SetDirectory(DestDirListBox->Directory());
    DeleteDirectory(Host(path));
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
