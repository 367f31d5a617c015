#pragma once
// Lines as printing and copying hand them out: without the font tag that selects a row's font
// in the markup text view. Kept here, free of Qt, so that lumarc-cli prints exactly what the
// viewer prints.

#include <string>
#include <string_view>

#include "catalogue/StringList.h"

namespace lumarc {

// StripFontTag of every line, in order.
TStringList LinesWithoutFontTags(const TStringList& lines);

}  // namespace lumarc
