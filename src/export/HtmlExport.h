#pragma once
// The catalogue as a static website, for any web server or the file system:
//   index.html          the outline as nested lists that fold open and shut by themselves
//   entry/N.html        one page per outline entry N, its text in the element with id "text"
//   search.html         the full-text search, run in the browser over search-index.js
//   search-index.json   the searched lines of every record, for other programs
//   components.html     the components in one table with the component list's filters, run in
//                       the browser over components-data.js; when the catalogue has components
//   order-form.html     the order form, when the catalogue has one
//   style.css, search.js, components.js
//   files/              with the component files: the disc's files, named as on the disc
// Every link is relative, so the site works from file:// as well.

#include <functional>
#include <string>
#include <vector>

#include "catalogue/BrowzerContainer.h"
#include "catalogue/TreeViewData.h"
#include "settings/core/DateTime.h"

namespace lumarc {

struct TExportOptions {
    // Entries dated after it carry the "neu" mark, as in the outline.
    TDateTime UpdateDate = 0;
    // Copy the component files and archives and link them from their entries.
    bool WithFiles = false;
    // Where the catalogue's Windows paths begin, with a trailing '/'; only with the files.
    std::string DiscRoot;
};

struct TExportResult {
    // One German line per entry whose record could not be read; its page says so too.
    std::vector<std::string> Problems;
    bool Cancelled = false;
};

// Told after each entry page the number written and the total; false stops the export, which
// then leaves what it has written.
using TExportProgress = std::function<bool(int done, int total)>;

// Whether a site may be written into `outDir` without being asked: it is missing or empty, or
// holds a site this export wrote before (which is then replaced). Anything else there is the
// user's, among which the site's files would land.
bool SiteDirectoryIsFree(const std::string& outDir);

// Writes the site into `outDir`, made when missing. Files of an earlier export are replaced,
// nothing else there is touched. Reads every record through `container`, which must hold the
// outline `tree`. A file that cannot be written raises EInOutError naming it and the reason.
TExportResult ExportHtml(TBrowzerContainer& container, const TTreeViewData& tree, const std::string& outDir,
                         const TExportOptions& options, const TExportProgress& progress = {});

}  // namespace lumarc
