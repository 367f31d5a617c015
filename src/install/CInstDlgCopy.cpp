#include "CInstDlg.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <filesystem>
#include <memory>
#include <system_error>
#include <utility>
#include <vector>

#include "HostText.h"
#include "controls/DirectoryListBox.h"
#include "controls/DriveComboBox.h"
#include "controls/xFileListBox.h"
#include "install/core/InstallRecorder.h"
#include "platform/ApplicationErrors.h"
#include "platform/FileCopy.h"
#include "platform/FileNames.h"
#include "platform/ProtectedDirs.h"
#include "platform/SystemErrors.h"
#include "settings/core/PathRoutines.h"
#include "widgets/Gauge.h"
#include "widgets/MsgBox.h"
#include "widgets/ProgressForm.h"

namespace lumarc {

void TCInstDlg::EnsureDestinationDir(QString& dir, const QString& fallback)
{
    FMadeFolders.clear();
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
        // The levels made here belong to the installation that follows, to go when it goes.
        std::vector<std::string> missing;
        std::error_code error;
        for (std::filesystem::path at = Host(QDir::cleanPath(dir));
             !at.empty() && at != at.parent_path() && !std::filesystem::exists(at, error); at = at.parent_path())
            missing.insert(missing.begin(), at.string());
        std::filesystem::create_directories(Host(dir), error);
        if (!error)
            FMadeFolders = std::move(missing);
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
    BeginRecord(dest);
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
    TellStoreNotices();
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
    FRecorder.reset();
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
        if (answer == TMsgBox::mrYes && FRecorder)
            FRecorder->Replacing(Host(target));
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
    TCopyOutcome outcome = TCopyOutcome::Cancelled;
    try {
        outcome = CopyFileSafely(Host(source), Host(target), control);
    } catch (...) {
        if (FRecorder)
            FRecorder->NotWritten(Host(target));
        throw;
    }
    if (FRecorder) {
        if (outcome == TCopyOutcome::Copied)
            FRecorder->Written(Host(target));
        else
            FRecorder->NotWritten(Host(target));
    }
    return outcome != TCopyOutcome::Cancelled;
}

void TCInstDlg::BeginRecord(const QString& dest)
{
    TInstallRecord header = FRecordHeader;
    header.Destination = Host(QDir::cleanPath(dest));
    FRecorder = std::make_unique<TInstallRecorder>(*FStore, std::move(header));
    for (const std::string& folder : std::exchange(FMadeFolders, {}))
        FRecorder->FolderMade(folder);
}

void TCInstDlg::TellStoreNotices()
{
    for (const QString& notice : std::exchange(FStoreNotices, {}))
        Tell(notice, QStringLiteral("Installationsliste"));
}

}  // namespace lumarc
