#include <algorithm>
#include <iostream>
#include <set>
#include <vector>

#include "Commands.h"
#include "OpenCatalogue.h"
#include "export/HtmlExport.h"
#include "export/LibraryExport.h"
#include "export/SiteFiles.h"
#include "install/core/InstallStore.h"
#include "install/core/Library.h"
#include "settings/core/DiscRoutines.h"
#include "settings/core/InstallSource.h"
#include "settings/core/Settings.h"

namespace lumarc {

namespace {

void SayNotFree(const std::string& outDir)
{
    std::cerr << "Das Verzeichnis " << outDir
              << " ist nicht leer; es wurde nichts geschrieben. Mit --force wird die Website trotzdem "
                 "dorthin geschrieben.\n";
}

// Writes the site of an opened catalogue; the status as the command ends with it.
int ExportOpened(TOpenCatalogue& opened, const std::string& outDir, bool withFiles)
{
    TExportOptions options;
    options.UpdateDate = Settings().UpdateDate;
    options.WithFiles = withFiles;
    if (withFiles)
        options.DiscRoot = CatalogueDiscRoot(PathPart(opened.Container.DataFileName));
    TExportResult result;
    try {
        result = ExportHtml(opened.Container, opened.TreeData, outDir, options);
    } catch (const std::exception& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
    // The pages of records that could not be read say so; the export still ends as a failure.
    for (const std::string& problem : result.Problems)
        std::cerr << problem << '\n';
    return result.Problems.empty() ? 0 : 1;
}

}  // namespace

int RunExportHtml(const std::string& catalogue, const std::string& outDir, bool withFiles, bool force)
{
    const std::unique_ptr<TOpenCatalogue> opened = OpenCatalogue(catalogue);
    if (!opened)
        return 1;
    if (!force && !SiteDirectoryIsFree(outDir)) {
        SayNotFree(outDir);
        return 1;
    }
    return ExportOpened(*opened, outDir, withFiles);
}

int RunExportLibrary(const std::string& outDir, bool withFiles, bool force)
{
    if (!force && !LibraryDirectoryIsFree(outDir)) {
        SayNotFree(outDir);
        return 1;
    }
    std::vector<TLibraryCatalogue> catalogues;
    {
        TInstallStore store;
        catalogues = TLibrary(store).Catalogues();
    }
    if (catalogues.empty()) {
        std::cerr << "Die Bibliothek ist leer; es wurde nichts geschrieben.\n";
        return 1;
    }
    // Where the folder cannot be made, that is said once, not for every catalogue in turn.
    try {
        MakeSiteDirectory(outDir);
    } catch (const std::exception& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
    int status = 0;
    std::set<std::string> taken;
    std::vector<TLibrarySite> sites;
    for (const TLibraryCatalogue& catalogue : catalogues) {
        // One that cannot be read is said, and the others are written.
        const std::unique_ptr<TOpenCatalogue> opened = OpenCatalogue(FirstPlace(catalogue));
        if (!opened) {
            status = 1;
            continue;
        }
        std::string title = catalogue.Title;
        title.erase(title.find_last_not_of(' ') + 1);
        TLibrarySite site{LibrarySiteDir(catalogue.Label.value_or(title), taken), title, catalogue.Entries};
        status = std::max(status, ExportOpened(*opened, outDir + "/" + site.Dir, withFiles));
        sites.push_back(std::move(site));
    }
    try {
        WriteLibrarySite(outDir, sites);
    } catch (const std::exception& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
    return status;
}

}  // namespace lumarc
