#pragma once
// The frame every page of the exported site shares: head, title, style sheet, search field.

#include <string>
#include <string_view>

namespace lumarc {

// `root` leads from the page to the site's root: "" for the pages there, "../" for entry/N.html.
// `title` and `bodyClass` are plain UTF-8 text, escaped here.
void AppendPageStart(std::string& out, std::string_view title, std::string_view root, std::string_view bodyClass);
void AppendPageEnd(std::string& out);

// A search field that opens search.html with the query; `query` and `caseSensitive` fill it in.
void AppendSearchForm(std::string& out, std::string_view root, bool withIds = false);

// The mark of an entry newer than the update date, as the outline shows it.
void AppendNewMark(std::string& out);

}  // namespace lumarc
