#pragma once
// The install command of the main window: finds the shown component's file on the disc and
// opens the install dialog on it.

namespace lumarc {

class TCInstDlg;
class TToolDiscMain;

// On the component page the source is the component's file name and the box caption its short
// name; on the other pages the source is the short text's file name line and the caption that
// path's last component. Runs the dialog modally.
void RunInstallCommand(TToolDiscMain& main, TCInstDlg& dialog);

}  // namespace lumarc
