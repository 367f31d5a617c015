#include "InstallCommand.h"

#include "EntryDisplay.h"

#include <utility>

#include "catalogue/BrowzerContainer.h"
#include "catalogue/CompoText.h"
#include "catalogue/TreeViewData.h"
#include "install/CInstDlg.h"
#include "install/core/DiscIdentity.h"
#include "settings/core/InstallSource.h"
#include "settings/core/DiscRoutines.h"
#include "widgets/AnsiText.h"

namespace lumarc {

void RunInstallCommand(const TEntryDisplay& display, bool componentShown, TCInstDlg& dialog, int entry,
                       const QString& catalogue)
{
    const TBrowzerContainer& container = display.Container();
    TInstallRecord header;
    header.Catalogue = catalogue.toStdString();
    header.Entry = entry;
    std::string source;
    QString caption;
    if (const TCompoText* compo = display.Component(); componentShown && compo) {
        source = compo->FileName;
        caption = FromAnsi(compo->ShortName);
        header.Component = FromAnsi(compo->LongName).toStdString();
    } else {
        source = display.ShortTextFileName();
        caption = FromAnsi(LastPathComponent(source));
        if (const TTreeViewData* tree = container.TreeData(); tree && entry >= 0 && entry < tree->Count())
            header.Component = FromAnsi(std::string(tree->Texts[entry])).trimmed().toStdString();
    }
    const std::string dataDir = PathPart(container.DataFileName);
    const std::string discRoot = CatalogueDiscRoot(dataDir);
    header.DiscLabel = DiscLabelOf(discRoot);
    header.CatalogueId = CatalogueIdentity(container.DataFileName, container.IndexFileName);
    dialog.SetRecordHeader(std::move(header));
    const TInstallSource install = ResolveInstallSource(source, discRoot);
    dialog.Install(QString::fromStdString(install.HostPath), caption, QString::fromStdString(install.ComponentDirName),
                   QString::fromStdString(discRoot));
}

}  // namespace lumarc
