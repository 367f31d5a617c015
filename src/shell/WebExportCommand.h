#pragma once
// "Als Webseite exportieren...": the shown catalogue as a static website. Asks for a directory,
// writes the site in a thread of its own while the progress window shows how far it has come
// (and lets the user stop it), then offers to open the site in the desktop's browser.

class QWidget;

namespace lumarc {

class TBrowzerContainer;
class TTreeViewData;

// The directory dialog starts at the directory chosen last, else at the home directory.
void RunWebExportCommand(QWidget* parent, const TBrowzerContainer& container, const TTreeViewData& tree);

}  // namespace lumarc
