#include "DriveComboBox.h"

#include "DirectoryListBox.h"
#include "platform/ApplicationErrors.h"
#include "platform/Drives.h"

namespace lumarc {

TDriveComboBox::TDriveComboBox(QWidget* parent) : QComboBox(parent)
{
    Refresh();
    connect(this, &QComboBox::activated, this, &TDriveComboBox::DriveActivated);
}

void TDriveComboBox::Refresh()
{
    FQuiet = true;
    const QString current = currentText();
    clear();
    for (const std::string& drive : ReachableDrives())
        addItem(QString::fromStdString(drive));
    const int index = findText(current);
    setCurrentIndex(index >= 0 ? index : 0);
    FQuiet = false;
}

void TDriveComboBox::SetDrive(const QString& drive)
{
    int index = findText(drive);
    if (index < 0) {
        addItem(drive);
        index = count() - 1;
    }
    FQuiet = true;
    setCurrentIndex(index);
    FQuiet = false;
    DriveChosen(index);
}

void TDriveComboBox::ShowDriveOf(const QString& path)
{
    std::vector<std::string> drives;
    for (int i = 0; i < count(); ++i)
        drives.push_back(itemText(i).toStdString());
    const int index = findText(QString::fromStdString(DriveOfPath(path.toStdString(), drives)));
    if (index >= 0 && index != currentIndex()) {
        FQuiet = true;
        setCurrentIndex(index);
        FQuiet = false;
    }
}

void TDriveComboBox::DriveChosen(int index)
{
    if (FQuiet || index < 0)
        return;
    if (FDirList)
        FDirList->SetDirectory(itemText(index));
    emit Changed();
}

void TDriveComboBox::DriveActivated(int index)
{
    // A drive that cannot be read (a medium taken out) is an error for the program-wide
    // handler, which puts the last good drive back.
    GuardedCall([&] { DriveChosen(index); });
}

}  // namespace lumarc
