#pragma once
// The install dialog: lists a component's directory on the disc, lets the user choose and
// create a destination directory, copies the selected files there or unpacks a selected ZIP
// archive there, and offers a small file manager on the destination (open, select all,
// delete files or a directory tree, drag and drop between the lists).

#include <QDialog>
#include <QHash>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "install/core/UnzipFile.h"
#include "install/core/InstallStore.h"
#include "platform/Exception.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace lumarc {

class TInstallRecorder;

class TDirectoryListBox;
class TDriveComboBox;
class TMsgBox;
class TProgressForm;
struct TFileEntry;
class TxFileListBox;

LUMARC_DECLARE_ERROR(ENoDir, Exception);

class TCInstDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int kClientWidth = 555;
    static constexpr int kClientHeight = 421;
    static constexpr int kCopyBlock = 2048;

    explicit TCInstDlg(QWidget* parent = nullptr);
    ~TCInstDlg() override;

    // Steps of the opening that come before showing: the component's directory in CompFiles with
    // its file selected, the destination list at the default destination. `hostSourcePath` is
    // the component's file on this machine, `caption` the group box's new caption; `discRoot`
    // is listed when the component's folder is not on the disc.
    void Prepare(const QString& hostSourcePath, const QString& caption, const QString& componentDirName,
                 const QString& discRoot = QString());
    // Prepare, then the dialog modally.
    int Install(const QString& hostSourcePath, const QString& caption, const QString& componentDirName,
                const QString& discRoot = QString());

    // What the install record says of the installations that follow: the catalogue, the entry
    // and its component (the destination is each run's own). Every Kopieren and Entpacken that
    // writes a file is recorded, with or without it.
    void SetRecordHeader(TInstallRecord header) { FRecordHeader = std::move(header); }

    // Questions and notices go through this box; tests put in one that answers by itself.
    void SetMessageBox(std::unique_ptr<TMsgBox> box);
    TMsgBox& Messi() { return *FMessi; }
    // How a file is opened with its program; the desktop's handler by default. False when no
    // program opens it.
    std::function<bool(const QString& path)> ShellOpen;

    bool OverwriteAll() const { return FOverwriteAll; }
    QString ComponentDirName() const { return FComponentDirName; }
    QString LastGoodDrive() const { return FLastGoodDrive; }
    TProgressForm* ProgressForm() const { return FProgressForm.get(); }
    // While a copy or an unpacking runs: the dialog can then be neither closed nor re-entered.
    bool Busy() const { return FBusy; }

    QPushButton* CloseBtn = nullptr;
    QGroupBox* CompInstBox = nullptr;
    QLabel* FileNameLabel = nullptr;
    QLabel* SizeLabel = nullptr;
    QGroupBox* DestDirBox = nullptr;
    QLineEdit* DestEdit = nullptr;
    TDirectoryListBox* DestDirListBox = nullptr;
    TDriveComboBox* DriveComboBox = nullptr;
    TxFileListBox* DestFiles = nullptr;
    QLabel* StatusLabel = nullptr;
    QPushButton* ExecBtn = nullptr;
    QPushButton* SelBtn = nullptr;
    QPushButton* KillBtn = nullptr;
    TxFileListBox* CompFiles = nullptr;
    QPushButton* CopyBtn = nullptr;
    QPushButton* UnpackBtn = nullptr;
    QLabel* DestStatLabel = nullptr;
    TUnzipFile Unziper;

    // The handlers, callable by tests as the controls call them.
    void CopyBtnClick(QObject* sender);
    void UnpackBtnClick();
    void Change();
    void CompFilesChange();
    void DestFilesExecute(const QString& path);
    void CompFilesDblClick(TxFileListBox* list);
    void ExecBtnClick();
    void SelBtnClick();
    void KillBtnClick();
    bool KillBtnDragOver(QObject* source) const;
    void KillBtnDragDrop(QObject* source);
    void DestKeyDown(QObject* sender, int key, Qt::KeyboardModifiers modifiers);
    bool DestFilesDragOver(QObject* source) const;
    void DestFilesDragDrop(QObject* target, QObject* source);
    void CompFilesClick();
    void UpdateSelectionStatus();
    void UnziperMinorCallback(const char* szItem, int32_t Percent, bool& DoCancel);
    void UnziperMessageCallback(uint16_t MsgID, uint16_t mbType, int32_t p1, int32_t p2, char* lpsz1, char* lpsz2,
                                int& RtnResult);

    // The text the unzip library asks for by number; empty for a number it has no text for.
    static QString UnzipText(int number);

    // Ctrl+Tab: the focus goes to DestDirListBox when CompFiles has it, else to CompFiles.
    void FormKeyDown();

    // Escape and the window's close button end the dialog as CloseBtn does (modal result 2).
    void reject() override;
    // The program ends: the dialog closes now, or when the running copy or unpacking is done.
    void CloseWhenDone();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateComponents();
    void ConnectHandlers();
    void FormCreate();
    void FormDestroy();
    void EnsureDestinationDir(QString& dir, const QString& fallback);
    // Creates every missing level of `dir`; says why when it cannot and raises ENoDir.
    void CreateDestination(const QString& dir);
    // Copies one file; false when the user stopped the copy in the progress window.
    bool CopyOneFile(const QString& source, const QString& target, const QString& name, int64_t size,
                     TProgressForm* progress);
    // The progress window of a copy or an unpacking, with its "Abbrechen" button; the
    // dialog's own controls rest until it goes.
    void BeginRun(const QString& text);
    void EndRun();
    // What went wrong in an unpacking, said once it is over.
    void TellUnpackResult(const QString& archive, const QString& dest);
    // A notice with an OK button in the dialog's message box.
    void Tell(const QString& text, const QString& caption);
    void DeleteDirectoryTree();
    // Whether CompFiles' entry is an archive to unpack: a ".ZIP", or a program that holds one.
    bool IsArchive(int index);
    // The status line below the component's files; `detail` (a path) is its tooltip.
    void SetStatus(const QString& text, const QString& detail = QString());
    int Ask(const QString& text, const QString& caption, int buttons, int defaultButton = 0);
    QObject* DropTargetOf(QObject* watched) const;
    void InputOutputError(const std::exception& error);
    // The record of a run that writes into `dest`; the folders CreateDestination made go in.
    void BeginRecord(const QString& dest);
    // What the list of installations had to say during a run, after the run's own messages.
    void TellStoreNotices();

    std::unique_ptr<TMsgBox> FMessi;
    std::unique_ptr<TProgressForm> FProgressForm;
    QString FLastGoodDrive;
    // DestEdit as the last change of the directory list left it, for the way back after an error.
    QString FLastGoodDest;
    bool FBusy = false;
    bool FCloseAfterRun = false;
    // Members of the current unpacking that the library refused or could not write.
    QStringList FRefused;
    QStringList FFailed;
    // Files the current unpacking wrote, and of them those that replaced a file.
    int FWritten = 0;
    int FReplaced = 0;
    bool FOverwriteAll = false;
    // What each program of the component's folder was found to hold (archive or not).
    QHash<QString, bool> FArchiveProbes;
    QString FComponentDirName;
    std::function<void(const std::exception&)> FOldExceptionHook;
    TInstallRecord FRecordHeader;
    // What the list of installations had to say; told when the run ends.
    QStringList FStoreNotices;
    std::unique_ptr<TInstallStore> FStore;
    std::unique_ptr<TInstallRecorder> FRecorder;
    std::vector<std::string> FMadeFolders;
};

}  // namespace lumarc
