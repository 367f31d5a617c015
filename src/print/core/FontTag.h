#pragma once
// The line markup of the markup text view: a line may carry a font tag "<F" + one digit +
// ">" that selects the font of its whole row. Only the first tag of a line counts, wherever
// it stands, and the letter's case does not matter. Lines are CP1252 bytes.

#include <string>
#include <string_view>

namespace lumarc {

// The font a line asks for, or -1 for an untagged line. Spaces and backspaces are ignored
// before the search, so "<F 1>" and "< F1>" both select font 1; the closing ">" plays no part,
// and a "<F" whose next character is no digit (or that ends the line) is no tag.
int FontTagOf(std::string_view line);

// The line as shown, printed and copied: the four characters from the first "<F" (found
// without regard to case) are cut out, fewer when the line ends sooner; further tags stay.
// Spaces are not skipped here, so "a<F 1>b" selects font 1 but shows as "a>b".
std::string StripFontTag(std::string_view line);

}  // namespace lumarc
