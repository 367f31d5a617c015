#include "EntryPage.h"

#include <algorithm>

#include "HtmlText.h"
#include "SitePage.h"
#include "catalogue/CompoText.h"
#include "catalogue/OutlineRuns.h"
#include "catalogue/ScriptInfoText.h"
#include "catalogue/ShortText.h"
#include "platform/CodePage.h"
#include "print/core/ComponentPage.h"
#include "print/core/ComponentText.h"
#include "print/core/EntryLines.h"
#include "print/core/FontTag.h"

namespace lumarc {

namespace {

const char* const kRoot = "../";

std::string EntryHref(int node)
{
    return std::to_string(node) + ".html";
}

std::string Caption(const TTreeViewData& tree, int node)
{
    return Cp1252ToUtf8(TrimmedCaption(tree.Texts[node]));
}

void AppendLink(std::string& out, const std::string& href, std::string_view text, const char* rel = nullptr)
{
    out += "<a href=\"";
    AppendHtml(out, href);
    out += '"';
    if (rel) {
        out += " rel=\"";
        out += rel;
        out += '"';
    }
    out += '>';
    AppendHtml(out, text);
    out += "</a>";
}

// The info text view keeps a row's font for the untagged rows after it; the component page
// goes back to font 0.
void InfoLines(const TScriptInfoText& info, std::vector<std::string>& lines, std::vector<std::string>& classes)
{
    int font = 0;
    for (const std::string& line : info.Lines.Strings()) {
        if (const int tag = FontTagOf(line); tag >= 0)
            font = tag;
        lines.push_back(Cp1252ToUtf8(StripFontTag(line)));
        classes.push_back("f" + std::to_string(font));
    }
}

void ComponentLines(const TCompoText& compo, std::vector<std::string>& lines, std::vector<std::string>& classes)
{
    const TStringList text = ComponentText(compo);
    const TStringList page = ComponentPageLines(compo);
    for (int i = 0; i < text.Count(); ++i) {
        lines.push_back(Cp1252ToUtf8(text[i]));
        const int pageLine = i - 2;
        if (i == 0)
            classes.emplace_back("heading");
        else if (pageLine >= 0 && pageLine < page.Count())
            classes.push_back(FontTagOf(page[pageLine]) == 1 ? "c1" : "c0");
        else if (pageLine == page.Count())
            classes.emplace_back("c1");  // the long description's heading
        else
            classes.emplace_back();
    }
}

void AppendField(std::string& out, const char* caption, const std::string& value)
{
    out += "<dt>";
    out += caption;
    out += "</dt><dd>";
    AppendHtml(out, Cp1252ToUtf8(value));
    out += "</dd>\n";
}

// The rating as the viewer's gauge draws it: rating x 10 per cent, a yellow bar on navy. The
// percentage stands beside the bar, where it has the contrast of plain text; a screen reader
// hears the meter's name and value instead.
void AppendRating(std::string& out, int rating)
{
    out += "<dt>Wertung:</dt><dd>";
    if (rating <= 0) {
        out += "keine</dd>\n";
        return;
    }
    const std::string percent = std::to_string(std::clamp(rating * 10, 0, 100));
    out +=
        "<span class=\"gauge\" role=\"meter\" aria-label=\"Wertung\" aria-valuemin=\"0\" aria-valuemax=\"100\" "
        "aria-valuenow=\"" +
        percent + "\" aria-valuetext=\"" + percent + " %\"><span class=\"bar\" style=\"width:" + percent +
        "%\"></span></span> <span class=\"pct\" aria-hidden=\"true\">" + percent + " %</span></dd>\n";
}

void AppendComponentFields(std::string& out, const TCompoText& compo)
{
    out += "<dl class=\"fields\">\n";
    AppendField(out, "Copyright:", compo.Copyright);
    AppendRating(out, compo.Rating);
    AppendField(out, "Distribution:", compo.Distribution);
    if (const std::string line = LangCompLine(compo); !line.empty()) {
        out += "<dd class=\"wide\">";
        AppendHtml(out, Cp1252ToUtf8(line));
        out += "</dd>\n";
    }
    AppendField(out, "Einschr\xC3\xA4nkungen:", compo.Limitations);
    out += "</dl>\n";
}

void AppendMemo(std::string& out, const char* heading, const TStringList& lines)
{
    if (lines.Empty())
        return;
    out += "<h2>";
    out += heading;
    out += "</h2>\n";
    AppendPreLines(out, "<pre class=\"memo\">", DecodedLines(lines));
}

void AppendFile(std::string& out, const TFileLink* file, bool asName)
{
    if (!file || file->Shown.empty())
        return;
    out += asName ? "<p class=\"filename\">" : "<p class=\"file\">Datei: ";
    if (file->Href.empty())
        AppendHtml(out, file->Shown);
    else
        AppendLink(out, kRoot + file->Href, file->Shown);
    out += "</p>\n";
}

void AppendChildren(std::string& out, const TEntryPageInput& input)
{
    const std::vector<int> children = input.Site.Children(input.Node);
    if (children.empty())
        return;
    out += "<ul class=\"children\">\n";
    for (const int child : children) {
        out += "<li>";
        AppendLink(out, EntryHref(child), Caption(input.Tree, child));
        if (IsNewEntry(input.Tree, child, input.UpdateDate))
            AppendNewMark(out);
        out += "</li>\n";
    }
    out += "</ul>\n";
}

// The way up from the outline to the entry's parent.
void AppendPath(std::string& out, const TEntryPageInput& input)
{
    std::vector<int> ancestors;
    for (int node = input.Site.Parent[static_cast<size_t>(input.Node)];
         node >= 0 && ancestors.size() < input.Site.Order.size(); node = input.Site.Parent[static_cast<size_t>(node)])
        ancestors.push_back(node);
    out += "<nav class=\"path\">";
    AppendLink(out, std::string(kRoot) + "index.html#e" + std::to_string(input.Node),
               "\xC3\x9C"
               "bersicht");
    for (auto it = ancestors.rbegin(); it != ancestors.rend(); ++it) {
        out += " \xE2\x80\xBA ";
        AppendLink(out, EntryHref(*it), Caption(input.Tree, *it));
    }
    out += "</nav>\n";
}

// The neighbours in tree order and the parent.
void AppendSteps(std::string& out, const TEntryPageInput& input)
{
    const TSiteTree& site = input.Site;
    const int place = site.Place[static_cast<size_t>(input.Node)];
    out += "<nav class=\"steps\">";
    if (place > 0) {
        const int previous = site.Order[static_cast<size_t>(place) - 1];
        AppendLink(out, EntryHref(previous), "\xE2\x86\x90 " + Caption(input.Tree, previous), "prev");
    }
    const int parent = site.Parent[static_cast<size_t>(input.Node)];
    if (parent >= 0)
        AppendLink(out, EntryHref(parent), "\xE2\x86\x91 " + Caption(input.Tree, parent), "up");
    else
        AppendLink(out, std::string(kRoot) + "index.html",
                   "\xE2\x86\x91 \xC3\x9C"
                   "bersicht",
                   "up");
    if (place >= 0 && static_cast<size_t>(place) + 1 < site.Order.size()) {
        const int next = site.Order[static_cast<size_t>(place) + 1];
        AppendLink(out, EntryHref(next), Caption(input.Tree, next) + " \xE2\x86\x92", "next");
    }
    out += "</nav>\n";
}

const char* KindClass(TRecordKind kind)
{
    switch (kind) {
    case TRecordKind::rkInfo:
        return "entry info";
    case TRecordKind::rkShort:
        return "entry short";
    case TRecordKind::rkComponent:
        return "entry component";
    case TRecordKind::rkNone:
        break;
    }
    return "entry heading";
}

}  // namespace

void EntryTextLines(TRecordKind kind, const TParamScriptComponent& record, std::vector<std::string>& lines,
                    std::vector<std::string>& classes)
{
    lines.clear();
    classes.clear();
    switch (kind) {
    case TRecordKind::rkInfo:
        InfoLines(static_cast<const TScriptInfoText&>(record), lines, classes);
        break;
    case TRecordKind::rkShort: {
        const TStringList memo = ShortTextPrintLines(static_cast<const TShortText&>(record));
        for (const std::string& line : memo.Strings()) {
            lines.push_back(Cp850ToUtf8(line));
            classes.emplace_back();
        }
        break;
    }
    case TRecordKind::rkComponent:
        ComponentLines(static_cast<const TCompoText&>(record), lines, classes);
        break;
    case TRecordKind::rkNone:
        break;
    }
}

std::string EntryPage(const TEntryPageInput& input)
{
    const std::string caption = Caption(input.Tree, input.Node);
    const TRecordKind kind = input.Record ? input.Kind : TRecordKind::rkNone;
    std::string out;
    out.reserve(4096);
    AppendPageStart(out, caption.empty() ? std::string("Eintrag ") + std::to_string(input.Node) : caption, kRoot,
                    KindClass(kind));
    AppendPath(out, input);
    out += "<h1>";
    AppendHtml(out, caption);
    if (IsNewEntry(input.Tree, input.Node, input.UpdateDate))
        AppendNewMark(out);
    out += "</h1>\n";
    if (!input.Error.empty()) {
        out += "<p class=\"note\">Dieser Eintrag konnte nicht gelesen werden: ";
        AppendHtml(out, input.Error);
        out += "</p>\n";
    }

    std::vector<std::string> lines;
    std::vector<std::string> classes;
    if (input.Record)
        EntryTextLines(kind, *input.Record, lines, classes);
    const auto* compo = kind == TRecordKind::rkComponent ? static_cast<const TCompoText*>(input.Record) : nullptr;
    // A short text's first line names its file, shown above the text.
    if (kind == TRecordKind::rkShort)
        AppendFile(out, input.File, true);
    if (compo)
        AppendComponentFields(out, *compo);
    // The text scrolls sideways within its box: it takes the focus, so that keys scroll it too.
    AppendPreLines(out, "<pre id=\"text\" tabindex=\"0\">", lines, classes);
    if (compo) {
        AppendMemo(out, "pers\xC3\xB6nliche Einsch\xC3\xA4tzung:", compo->Review);
        AppendMemo(out, "Installationshinweise:", compo->Installation);
        AppendMemo(out, "Dokumentation:", compo->Documentation);
        AppendFile(out, input.File, false);
    }
    AppendChildren(out, input);
    AppendSteps(out, input);
    AppendSearchForm(out, kRoot);
    // Marks the terms when the page was opened from the search's hits.
    out += "<script src=\"../search.js\" defer></script>\n";
    AppendPageEnd(out);
    return out;
}

}  // namespace lumarc
