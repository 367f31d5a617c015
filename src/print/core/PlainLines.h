#pragma once
// Lines as printing and copying hand them out: without the font tag that selects a row's font
// in the markup text view. Kept here, free of Qt, so that lumarc-cli prints exactly what the
// viewer prints.

#include <string>
#include <string_view>

#include "catalogue/StringList.h"

namespace lumarc {

// The four characters from the first "<F" (either case of the letter) cut out, fewer when the
// line ends sooner; further tags stay. Spaces are not skipped, so "a<F 1>b" gives "a>b".
std::string RemoveFontTag(std::string_view line);

// RemoveFontTag of every line, in order.
TStringList LinesWithoutFontTags(const TStringList& lines);

}  // namespace lumarc
