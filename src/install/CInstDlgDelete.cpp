#include "CInstDlg.h"

#include <QDir>

#include <unistd.h>

#include <string>
#include <vector>

#include "HostText.h"
#include "controls/DirectoryListBox.h"
#include "controls/DriveComboBox.h"
#include "controls/xFileListBox.h"
#include "platform/ProtectedDirs.h"
#include "platform/Trash.h"
#include "settings/core/InstallSource.h"
#include "settings/core/FileRoutines.h"
#include "settings/core/PathRoutines.h"
#include "widgets/MsgBox.h"

namespace lumarc {

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

}  // namespace lumarc
