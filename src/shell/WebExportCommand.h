#pragma once
// "Als Webseite exportieren...": the shown catalogue as a static website. Asks for a directory,
// writes the site in a thread of its own while the progress window shows how far it has come
// (and lets the user stop it), then offers to open the site in the desktop's browser.

#include <QString>

class QWidget;

namespace lumarc {

class TBrowzerContainer;
class TTreeViewData;

// Where the directory dialog starts: the directory chosen last, else the home directory.
// Returns what the export wrote to, or an empty string when nothing was written.
QString RunWebExportCommand(QWidget* parent, const TBrowzerContainer& container, const TTreeViewData& tree);

}  // namespace lumarc
