#include "ComponentsPage.h"

#include "HtmlText.h"
#include "SitePage.h"
#include "catalogue/ComponentNames.h"
#include "platform/CodePage.h"
#include "print/core/ComponentPage.h"

namespace lumarc {

namespace {

const char* const kTitle = "Komponentenliste";

std::string Utf8(const std::string& cp1252)
{
    return Cp1252ToUtf8(cp1252);
}

std::string RatingText(int rating)
{
    return rating == 0 ? "keine" : std::to_string(rating * 10) + " %";
}

void AppendCell(std::string& out, const std::string& utf8, const char* cls = nullptr)
{
    out += cls ? std::string("<td class=\"") + cls + "\">" : std::string("<td>");
    AppendHtml(out, utf8);
    out += "</td>";
}

void AppendStringArray(std::string& json, const std::vector<std::string>& cp1252)
{
    json += '[';
    for (size_t i = 0; i < cp1252.size(); ++i) {
        if (i > 0)
            json += ',';
        AppendJsonString(json, Utf8(cp1252[i]));
    }
    json += ']';
}

void AppendField(std::string& json, const char* key, const std::string& cp1252)
{
    json += ",\"";
    json += key;
    json += "\":";
    AppendJsonString(json, Utf8(cp1252));
}

}  // namespace

std::string ComponentsPage(const std::vector<TSiteComponent>& components)
{
    std::string out;
    out.reserve(components.size() * 400 + 4096);
    AppendPageStart(out, kTitle, "", "components");
    out += "<nav class=\"path\"><a href=\"index.html\">\xC3\x9C"
           "bersicht</a></nav>\n<h1>Komponentenliste</h1>\n";
    // The filters are filled in by the script from the rows; without it they would do nothing.
    out +=
        "<form id=\"filters\" class=\"filters\" hidden>\n"
        "<p><label for=\"f-text\">Suchen:</label> <input id=\"f-text\" type=\"search\" "
        "placeholder=\"Name oder Schlagwort\"></p>\n"
        "<fieldset id=\"f-compilers\"><legend>Compiler</legend></fieldset>\n"
        "<fieldset id=\"f-languages\"><legend>Sprache</legend></fieldset>\n"
        "<p><label for=\"f-rating\">Wertung ab:</label> <select id=\"f-rating\"></select></p>\n"
        "<fieldset id=\"f-distributions\"><legend>Distribution</legend></fieldset>\n"
        "<fieldset id=\"f-oses\"><legend>OS</legend></fieldset>\n"
        "<fieldset id=\"f-keywords\"><legend>Schlagw\xC3\xB6rter</legend>"
        "<input id=\"f-keyword-text\" type=\"search\" aria-label=\"Schlagw\xC3\xB6rter eingrenzen\" "
        "placeholder=\"eingrenzen\"></fieldset>\n"
        "<p><label><input type=\"checkbox\" id=\"f-new\"> nur neue <span class=\"count\"></span></label></p>\n"
        "<p><button type=\"reset\" id=\"f-reset\">Filter zur\xC3\xBC"
        "cksetzen</button></p>\n"
        "</form>\n";
    out += "<p id=\"status\" role=\"status\">" + std::to_string(components.size()) + " Komponenten</p>\n";
    out +=
        // A narrow screen scrolls the table, not the page.
        "<div class=\"table-scroll\" tabindex=\"0\" role=\"region\" aria-label=\"Komponenten\">\n"
        "<table id=\"list\">\n<caption>Komponenten</caption>\n<thead><tr>"
        "<th scope=\"col\" data-key=\"name\">Name</th><th scope=\"col\" data-key=\"version\">Version</th>"
        "<th scope=\"col\" data-key=\"rating\">Wertung</th><th scope=\"col\" data-key=\"distribution\">Distribution</th>"
        "<th scope=\"col\" data-key=\"language\">Sprache</th><th scope=\"col\" data-key=\"compilers\">Compiler</th>"
        "<th scope=\"col\" data-key=\"os\">OS</th><th scope=\"col\" data-key=\"price\">Preis</th>"
        "<th scope=\"col\" data-key=\"date\">Datum</th></tr></thead>\n<tbody>\n";
    for (const TSiteComponent& item : components) {
        const TComponentRow& row = item.Row;
        const std::string entry = std::to_string(row.Entry);
        out += "<tr data-entry=\"" + entry + "\"><td><a href=\"entry/" + entry + ".html\">";
        AppendHtml(out, Utf8(row.LongName));
        out += "</a>";
        if (item.New)
            AppendNewMark(out);
        out += "</td>";
        AppendCell(out, Utf8(row.Version));
        AppendCell(out, RatingText(row.Rating), "number");
        AppendCell(out, Utf8(row.Distribution));
        AppendCell(out, Utf8(LanguageName(row.Language)));
        AppendCell(out, Utf8(CompilerList(row.Compiler)));
        AppendCell(out, Utf8(row.OS));
        AppendCell(out, Utf8(row.Price));
        AppendCell(out, row.Date ? DateToStr(*row.Date) : std::string());
        out += "</tr>\n";
    }
    out +=
        "</tbody>\n</table>\n</div>\n"
        "<script src=\"components-data.js\"></script>\n<script src=\"components.js\"></script>\n";
    AppendPageEnd(out);
    return out;
}

std::string ComponentsData(const std::vector<TSiteComponent>& components)
{
    std::string json = "window.lumarcComponents = [";
    for (const TSiteComponent& item : components) {
        const TComponentRow& row = item.Row;
        json += json.back() == '[' ? "\n{" : ",\n{";
        json += "\"entry\":" + std::to_string(row.Entry);
        AppendField(json, "longName", row.LongName);
        AppendField(json, "shortName", row.ShortName);
        AppendField(json, "version", row.Version);
        json += ",\"rating\":" + std::to_string(row.Rating);
        AppendField(json, "language", LanguageName(row.Language));
        json += ",\"compiler\":" + std::to_string(row.Compiler);
        json += ",\"compilers\":";
        AppendStringArray(json, CompilerNames(row.Compiler));
        AppendField(json, "os", row.OS);
        AppendField(json, "distribution", row.Distribution);
        AppendField(json, "price", row.Price);
        json += ",\"keyWords\":";
        AppendStringArray(json, row.KeyWords);
        json += ",\"date\":";
        if (row.Date)
            AppendJsonString(json, DateToIso(*row.Date));
        else
            json += "null";
        json += item.New ? ",\"new\":true}" : ",\"new\":false}";
    }
    json += "\n];\n";
    return json;
}

}  // namespace lumarc
