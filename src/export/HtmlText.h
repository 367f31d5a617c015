#pragma once
// Text into HTML and JSON. Everything here is UTF-8, decoded from the catalogue's code pages
// before it comes here.

#include <string>
#include <string_view>

namespace lumarc {

// `text` with "&", "<", ">" and '"' as character references, so that it reads the same in
// element content and in attribute values. A carriage return becomes "&#13;": as a raw byte the
// parser would take it for a line end.
void AppendHtml(std::string& out, std::string_view text);
std::string Html(std::string_view text);

// `text` as a JSON string, quotes included. Characters below U+0020, '"', '\' and the two line
// separators U+2028 and U+2029 (which older JavaScript took as line ends) are escaped.
void AppendJsonString(std::string& out, std::string_view text);

// The caption as a title: without the blanks the outline indents it with.
std::string_view TrimmedCaption(std::string_view caption);

}  // namespace lumarc
