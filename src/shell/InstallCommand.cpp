#include "InstallCommand.h"

#include "EntryDisplay.h"
#include "catalogue/BrowzerContainer.h"
#include "catalogue/CompoText.h"
#include "install/CInstDlg.h"
#include "settings/core/InstallSource.h"
#include "settings/core/DiscRoutines.h"
#include "widgets/AnsiText.h"

namespace lumarc {

void RunInstallCommand(const TEntryDisplay& display, bool componentShown, TCInstDlg& dialog)
{
    std::string source;
    QString caption;
    if (const TCompoText* compo = display.Component(); componentShown && compo) {
        source = compo->FileName;
        caption = FromAnsi(compo->ShortName);
    } else {
        source = display.ShortTextFileName();
        caption = FromAnsi(LastPathComponent(source));
    }
    const std::string dataDir = PathPart(display.Container().DataFileName);
    const std::string discRoot = CatalogueDiscRoot(dataDir);
    const TInstallSource install = ResolveInstallSource(source, discRoot);
    dialog.Install(QString::fromStdString(install.HostPath), caption, QString::fromStdString(install.ComponentDirName),
                   QString::fromStdString(discRoot));
}

}  // namespace lumarc
