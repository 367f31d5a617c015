#pragma once
// The frame every page of the exported site shares: head, title, style sheet, search field.

#include <string>
#include <string_view>
#include <vector>

#include "catalogue/StringList.h"

namespace lumarc {

// `root` leads from the page to the site's root: "" for the pages there, "../" for entry/N.html.
// `title` and `bodyClass` are plain UTF-8 text, escaped here.
void AppendPageStart(std::string& out, std::string_view title, std::string_view root, std::string_view bodyClass);
void AppendPageEnd(std::string& out);

// A search field that opens search.html with the query. `withIds` names the field and the case
// box for the search page's script, which fills them in.
void AppendSearchForm(std::string& out, std::string_view root, bool withIds = false);

// What a search page holds below its heading: the form its script fills in, the hint on joining
// terms, the line the script tells its progress in, `hits` (the empty element it lists the hits
// in) and a note for a browser without scripts. The page's scripts follow.
void AppendSearchBody(std::string& out, std::string_view hits);

// CP1252 lines decoded to UTF-8.
std::vector<std::string> DecodedLines(const TStringList& cp1252);

// A <pre> element (`openTag` with its attributes) holding `lines` (UTF-8), each in a span of the
// class in `classes` (none where that is empty or missing), separated by line ends. It starts
// with a tag, never with the line end that an HTML parser would drop.
void AppendPreLines(std::string& out, std::string_view openTag, const std::vector<std::string>& lines,
                    const std::vector<std::string>& classes = {});

// The mark of an entry newer than the update date, as the outline shows it.
void AppendNewMark(std::string& out);

}  // namespace lumarc
