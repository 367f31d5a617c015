#include "HtmlExport.h"

#include <filesystem>

#include <memory>

#include "ComponentsPage.h"
#include "EntryPage.h"
#include "HtmlText.h"
#include "SiteAssets.h"
#include "SiteFiles.h"
#include "SitePage.h"
#include "SiteTree.h"
#include "catalogue/CompoText.h"
#include "catalogue/OutlineRuns.h"
#include "catalogue/RecordRef.h"
#include "catalogue/ShortText.h"
#include "platform/CodePage.h"
#include "print/core/OrderForm.h"
#include "search/core/CatalogueSearch.h"
#include "search/core/SearchableRecords.h"

namespace lumarc {

namespace {

const char* const kOverview =
    "\xC3\x9C"
    "bersicht";

// One record's searched lines for the index: [entry, "hit text", ["line", ...], short text 1 or 0].
void AppendIndexEntry(std::string& json, int node, const TTreeViewData& tree, TRecordKind kind, const std::string& text,
                      const std::vector<size_t>& lineStarts)
{
    const bool isShort = kind == TRecordKind::rkShort;
    std::string firstLine;
    if (isShort && !lineStarts.empty())
        firstLine = text.substr(0, (lineStarts.size() > 1 ? lineStarts[1] : text.size()) - 1);
    json += json.back() == '[' ? "\n[" : ",\n[";
    json += std::to_string(node);
    json += ',';
    AppendJsonString(json, Cp1252ToUtf8(TCatalogueSearch::HitText(
                               tree.Texts[node], isShort && !lineStarts.empty() ? &firstLine : nullptr)));
    json += ",[";
    for (size_t i = 0; i < lineStarts.size(); ++i) {
        const size_t end = (i + 1 < lineStarts.size() ? lineStarts[i + 1] : text.size()) - 1;
        const std::string_view line(text.data() + lineStarts[i], end - lineStarts[i]);
        if (i > 0)
            json += ',';
        // A short text's lines below its file name are OEM text.
        AppendJsonString(json, isShort && i > 0 ? Cp850ToUtf8(line) : Cp1252ToUtf8(line));
    }
    json += isShort ? "],1]" : "],0]";
}

// An entry as the outline lists it: a link to its page, or where it has none (or `asLink` is
// false) its caption alone, and the mark of a new entry.
void AppendOutlineLabel(std::string& out, const TTreeViewData& tree, int node, TDateTime updateDate, bool asLink = true)
{
    const std::string caption = Cp1252ToUtf8(TrimmedCaption(tree.Texts[node]));
    if (asLink && RecordKindOf(tree.Texts.Objects(node)) != TRecordKind::rkNone) {
        out += "<a href=\"entry/" + std::to_string(node) + ".html\">";
        AppendHtml(out, caption);
        out += "</a>";
    } else {
        out += "<span class=\"heading\">";
        AppendHtml(out, caption);
        out += "</span>";
    }
    if (IsNewEntry(tree, node, updateDate))
        AppendNewMark(out);
}

std::string OutlinePage(const TTreeViewData& tree, const TSiteTree& site, TDateTime updateDate, bool hasComponents,
                        bool hasOrderForm)
{
    std::string out;
    out.reserve(site.Order.size() * 80 + 1024);
    // The catalogue is named by its first entry ("Willkommen auf der ..."), as its outline opens.
    std::string name;
    if (tree.RootCount > 0 && tree.Count() > 0)
        name = Cp1252ToUtf8(std::string(TrimmedCaption(tree.Texts[0])));
    AppendPageStart(out, name.empty() ? std::string(kOverview) : name + " \xE2\x80\x93 " + kOverview, "", "outline");
    out += "<h1>";
    AppendHtml(out, name.empty() ? std::string(kOverview) : name);
    out += "</h1>\n";
    AppendSearchForm(out, "");
    if (hasComponents || hasOrderForm) {
        out += "<p class=\"links\">";
        if (hasComponents)
            out += "<a href=\"components.html\">Komponentenliste</a>";
        if (hasComponents && hasOrderForm)
            out += " &middot; ";
        if (hasOrderForm)
            out += "<a href=\"order-form.html\">Bestellformular</a>";
        out += "</p>\n";
    }
    out += "<nav id=\"outline\">\n<ul>\n";
    for (size_t i = 0; i < site.Order.size(); ++i) {
        const int node = site.Order[i];
        const int depth = site.Depth[i];
        const int nextDepth = i + 1 < site.Order.size() ? site.Depth[i + 1] : 0;
        out += "<li id=\"e" + std::to_string(node) + "\">";
        if (nextDepth > depth) {
            // The viewer opens with the first top-level entry unfolded.
            out += i == 0 ? "<details open><summary>" : "<details><summary>";
            AppendOutlineLabel(out, tree, node, updateDate, false);
            out += "</summary>\n<ul>\n";
            // The summary opens and shuts the folder and holds no link; a folder with a page of
            // its own lists it first.
            if (RecordKindOf(tree.Texts.Objects(node)) != TRecordKind::rkNone) {
                out += "<li class=\"self\"><a href=\"entry/" + std::to_string(node) + ".html\">";
                AppendHtml(out, Cp1252ToUtf8(TrimmedCaption(tree.Texts[node])));
                out += "</a></li>\n";
            }
            continue;
        }
        AppendOutlineLabel(out, tree, node, updateDate);
        out += "</li>\n";
        for (int level = depth; level > nextDepth; --level)
            out += "</ul>\n</details></li>\n";
    }
    out += "</ul>\n</nav>\n";
    // A damaged outline may leave records that no top-level entry reaches; they are listed
    // apart, so that every record stays reachable.
    std::string unreached;
    for (int node = 0; node < tree.Count(); ++node) {
        if (site.Place[static_cast<size_t>(node)] >= 0 || RecordKindOf(tree.Texts.Objects(node)) == TRecordKind::rkNone)
            continue;
        unreached += "<li id=\"e" + std::to_string(node) + "\">";
        AppendOutlineLabel(unreached, tree, node, updateDate);
        unreached += "</li>\n";
    }
    if (!unreached.empty())
        out += "<h2>Weitere Eintr\xC3\xA4ge</h2>\n<ul class=\"unreached\">\n" + unreached + "</ul>\n";
    AppendPageEnd(out);
    return out;
}

std::string SearchPage()
{
    std::string out;
    AppendPageStart(out, "Volltextsuche", "", "search");
    out += "<nav class=\"path\"><a href=\"index.html\">";
    out += kOverview;
    out += "</a></nav>\n<h1>Volltextsuche</h1>\n";
    AppendSearchBody(out, "<ul id=\"hits\"></ul>");
    out += "<script src=\"search-index.js\"></script>\n<script src=\"search.js\"></script>\n";
    AppendPageEnd(out);
    return out;
}

std::string OrderFormPage(const TStringList& form)
{
    std::string out;
    AppendPageStart(out, "Bestellformular", "", "info order-form");
    out += "<nav class=\"path\"><a href=\"index.html\">";
    out += kOverview;
    out += "</a></nav>\n<h1>Bestellformular</h1>\n";
    AppendPreLines(out, "<pre id=\"text\" tabindex=\"0\">", DecodedLines(form));
    AppendPageEnd(out);
    return out;
}

// The file a record names: a component its FileName, a short text its first line.
const std::string* NamedFile(TRecordKind kind, const TParamScriptComponent& record)
{
    if (kind == TRecordKind::rkComponent)
        return &static_cast<const TCompoText&>(record).FileName;
    if (kind == TRecordKind::rkShort && !static_cast<const TShortText&>(record).Lines.Empty())
        return &static_cast<const TShortText&>(record).Lines[0];
    return nullptr;
}

}  // namespace

bool SiteDirectoryIsFree(const std::string& outDir)
{
    namespace fs = std::filesystem;
    std::error_code error;
    // Something that is no directory holds nothing of the user's: writing there fails by itself.
    if (!fs::is_directory(outDir, error))
        return true;
    if (fs::directory_iterator(outDir, error) == fs::directory_iterator())
        return !error;
    return fs::is_regular_file(fs::path(outDir) / "index.html", error) &&
           fs::is_regular_file(fs::path(outDir) / "search-index.json", error);
}

TExportResult ExportHtml(TBrowzerContainer& container, const TTreeViewData& tree, const std::string& outDir,
                         const TExportOptions& options, const TExportProgress& progress)
{
    TExportResult result;
    MakeSiteDirectory(outDir + "/entry");
    WriteSiteFile(outDir + "/style.css", kSiteStyle);
    WriteSiteFile(outDir + "/search.js", kSiteSearchScript);
    WriteSiteFile(outDir + "/components.js", kSiteComponentsScript);

    const TSiteTree site = WalkOutline(tree);
    TSearchableRecords searchable(container.DataFileName);
    std::unique_ptr<TSiteFiles> files;
    if (options.WithFiles)
        files = std::make_unique<TSiteFiles>(outDir, options.DiscRoot);
    std::string json = "{\"format\":1,\"entries\":[";
    std::string text;
    std::vector<size_t> lineStarts;
    std::vector<TSiteComponent> components;

    const int count = tree.Count();
    for (int node = 0; node < count; ++node) {
        const int32_t ref = tree.Texts.Objects(node);
        TEntryPageInput input{
            .Tree = tree, .Site = site, .UpdateDate = options.UpdateDate, .Node = node, .Kind = RecordKindOf(ref)};
        std::unique_ptr<TParamScriptComponent> record = CreateRecordFor(ref);
        if (record) {
            try {
                container.ReadRecord(*record, RecordOffsetOf(ref));
                input.Record = record.get();
            } catch (const std::exception& e) {
                input.Error = e.what();
                result.Problems.push_back("Eintrag " + std::to_string(node) + ": " + e.what());
            }
        }
        TFileLink file;
        if (const std::string* named = input.Record ? NamedFile(input.Kind, *input.Record) : nullptr) {
            file.Shown = Cp1252ToUtf8(*named);
            if (files)
                file.Href = files->Take(*named);
            input.File = &file;
        }
        WriteSiteFile(outDir + "/entry/" + std::to_string(node) + ".html", EntryPage(input));
        if (input.Record && input.Kind == TRecordKind::rkComponent)
            components.push_back(
                {ComponentRowOf(ComponentEntryOf(tree, node), static_cast<const TCompoText&>(*input.Record)),
                 IsNewEntry(tree, node, options.UpdateDate)});
        // The search reads the same lines the viewer's search reads; a record that could not be
        // read is no hit, and one the search cannot read is said.
        try {
            if (input.Record && searchable.Read(ref, text, lineStarts))
                AppendIndexEntry(json, node, tree, input.Kind, text, lineStarts);
        } catch (const std::exception& e) {
            result.Problems.push_back("Eintrag " + std::to_string(node) + " (Suche): " + e.what());
        }
        if (progress && !progress(node + 1, count)) {
            result.Cancelled = true;
            return result;
        }
    }
    json += "\n]}\n";

    const TStringList orderForm = [&] {
        try {
            return ReadOrderForm(container, tree);
        } catch (const std::exception& e) {
            result.Problems.push_back(std::string("Bestellformular: ") + e.what());
            return TStringList();
        }
    }();
    if (!orderForm.Empty())
        WriteSiteFile(outDir + "/order-form.html", OrderFormPage(orderForm));
    WriteSiteFile(outDir + "/search-index.json", json);
    WriteSiteFile(outDir + "/search-index.js", "window.lumarcSearchIndex = " + json.substr(0, json.size() - 1) + ";\n");
    WriteSiteFile(outDir + "/search.html", SearchPage());
    if (!components.empty()) {
        WriteSiteFile(outDir + "/components-data.js", ComponentsData(components));
        WriteSiteFile(outDir + "/components.html", ComponentsPage(components));
    }
    WriteSiteFile(outDir + "/index.html",
                  OutlinePage(tree, site, options.UpdateDate, !components.empty(), !orderForm.Empty()));
    return result;
}

}  // namespace lumarc
