#include "SitePage.h"

#include "HtmlText.h"
#include "platform/CodePage.h"

namespace lumarc {

void AppendPageStart(std::string& out, std::string_view title, std::string_view root, std::string_view bodyClass)
{
    out +=
        "<!doctype html>\n<html lang=\"de\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>";
    AppendHtml(out, title);
    out += "</title>\n<link rel=\"stylesheet\" href=\"";
    out += root;
    out += "style.css\">\n</head>\n<body class=\"";
    out += bodyClass;
    out += "\">\n";
}

void AppendPageEnd(std::string& out)
{
    out += "</body>\n</html>\n";
}

void AppendSearchForm(std::string& out, std::string_view root, bool withIds)
{
    out += "<form class=\"search\" role=\"search\" method=\"get\" action=\"";
    out += root;
    out += "search.html\">\n<input type=\"search\" name=\"q\"";
    if (withIds)
        out += " id=\"q\"";
    out +=
        " aria-label=\"Suchbegriff\" placeholder=\"Volltextsuche\">\n<label><input type=\"checkbox\" name=\"case\" "
        "value=\"1\"";
    if (withIds)
        out += " id=\"case\"";
    out += "> Gro\xC3\x9F/Kleinschreibung beachten</label>\n<button type=\"submit\">Suchen</button>\n</form>\n";
}

void AppendSearchBody(std::string& out, std::string_view hits)
{
    AppendSearchForm(out, "", true);
    out += "<p class=\"hint\">\" + \" = Und-Suche &nbsp; \" - \" = Oder-Suche</p>\n<p id=\"status\" role=\"status\"></p>\n";
    out += hits;
    out += "\n<noscript><p class=\"note\">Die Suche braucht JavaScript.</p></noscript>\n";
}

std::vector<std::string> DecodedLines(const TStringList& cp1252)
{
    std::vector<std::string> decoded;
    decoded.reserve(static_cast<size_t>(cp1252.Count()));
    for (const std::string& line : cp1252.Strings())
        decoded.push_back(Cp1252ToUtf8(line));
    return decoded;
}

void AppendPreLines(std::string& out, std::string_view openTag, const std::vector<std::string>& lines,
                    const std::vector<std::string>& classes)
{
    out += openTag;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            out += '\n';
        if (i < classes.size() && !classes[i].empty()) {
            out += "<span class=\"";
            out += classes[i];
            out += "\">";
        } else {
            out += "<span>";
        }
        AppendHtml(out, lines[i]);
        out += "</span>";
    }
    out += "</pre>\n";
}

void AppendNewMark(std::string& out)
{
    out += "<span class=\"neu\">neu</span>";
}

}  // namespace lumarc
