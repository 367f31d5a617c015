#include "InstallCommand.h"

#include <QLabel>
#include <QStackedWidget>

#include "ToolDiscMain.h"
#include "catalogue/BrowzerContainer.h"
#include "catalogue/CompoText.h"
#include "install/CInstDlg.h"
#include "install/InstallSource.h"
#include "platform/CodePage.h"
#include "widgets/AnsiText.h"
#include "settings/core/DiscRoutines.h"

namespace lumarc {

void RunInstallCommand(TToolDiscMain& main, TCInstDlg& dialog)
{
    std::string source;
    QString caption;
    if (main.BrowzerNoteBook->currentIndex() == TToolDiscMain::piKomponente && main.CompoText()) {
        source = main.CompoText()->FileName;
        caption = FromAnsi(main.CompoText()->ShortName);
    } else {
        // The label shows the record's line decoded; the path rules work on its bytes.
        const QString shown = main.ShortFileName->text();
        if (!Utf8ToCp1252(shown.toStdString(), source))
            source = shown.toStdString();
        caption = FromAnsi(LastPathComponent(source));
    }
    const std::string dataDir = PathPart(main.BrowzerContainer().DataFileName);
    const TInstallSource install = ResolveInstallSource(source, CatalogueDiscRoot(dataDir));
    dialog.Install(QString::fromStdString(install.HostPath), caption, QString::fromStdString(install.ComponentDirName));
}

}  // namespace lumarc
