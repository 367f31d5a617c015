#pragma once
// The install command of the main window: finds the shown component's file on the disc and
// opens the install dialog on it.

class QString;

namespace lumarc {

class TCInstDlg;
class TEntryDisplay;

// With the component page shown the source is the component's file name and the box caption its
// short name; otherwise the source is the file name line of the short text shown and the caption
// that path's last component. What is installed is recorded under `entry` of `catalogue` (the
// catalogue as the user chose it). Runs the dialog modally.
void RunInstallCommand(const TEntryDisplay& display, bool componentShown, TCInstDlg& dialog, int entry,
                       const QString& catalogue);

}  // namespace lumarc
