#include <iostream>

#include "Commands.h"
#include "OpenCatalogue.h"
#include "export/HtmlExport.h"
#include "settings/core/DiscRoutines.h"
#include "settings/core/InstallSource.h"
#include "settings/core/Settings.h"

namespace lumarc {

int RunExportHtml(const std::string& catalogue, const std::string& outDir, bool withFiles, bool force)
{
    const std::unique_ptr<TOpenCatalogue> opened = OpenCatalogue(catalogue);
    if (!opened)
        return 1;
    if (!force && !SiteDirectoryIsFree(outDir)) {
        std::cerr << "Das Verzeichnis " << outDir
                  << " ist nicht leer; es wurde nichts geschrieben. Mit --force wird die Website trotzdem "
                     "dorthin geschrieben.\n";
        return 1;
    }
    TExportOptions options;
    options.UpdateDate = Settings().UpdateDate;
    options.WithFiles = withFiles;
    if (withFiles)
        options.DiscRoot = CatalogueDiscRoot(PathPart(opened->Container.DataFileName));
    TExportResult result;
    try {
        result = ExportHtml(opened->Container, opened->TreeData, outDir, options);
    } catch (const std::exception& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
    // The pages of records that could not be read say so; the export still ends as a failure.
    for (const std::string& problem : result.Problems)
        std::cerr << problem << '\n';
    return result.Problems.empty() ? 0 : 1;
}

}  // namespace lumarc
