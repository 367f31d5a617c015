#pragma once
// The drives of this machine (ReachableDrives: the root, the home directory, removable media)
// in a drop-down box; choosing one moves the bound directory list to it.

#include <QComboBox>
#include <QString>

namespace lumarc {

class TDirectoryListBox;

class TDriveComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit TDriveComboBox(QWidget* parent = nullptr);

    QString Drive() const { return currentText(); }
    // Selects the drive (added when it is not listed) and moves the directory list to it.
    void SetDrive(const QString& drive);
    // Shows the drive that holds `path` without moving the directory list.
    void ShowDriveOf(const QString& path);
    void SetDirList(TDirectoryListBox* list) { FDirList = list; }
    void Refresh();

signals:
    void Changed();

private:
    void DriveChosen(int index);
    void DriveActivated(int index);

    TDirectoryListBox* FDirList = nullptr;
    bool FQuiet = false;
};

}  // namespace lumarc
