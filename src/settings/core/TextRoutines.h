#pragma once
// Small text routines for captions and names.

#include <bitset>
#include <cstddef>
#include <string>
#include <string_view>

namespace lumarc {

using TCharSet = std::bitset<256>;

// `text` without the bytes that are members of `charSet`, the others in their order.
std::string RemoveChars(const std::string& text, const TCharSet& charSet);

// Every "&" doubled, so that a caption shows the character instead of taking it as the mark
// of an accelerator key: "Tom & Jerry" -> "Tom && Jerry".
std::string DoubleAmpersands(const std::string& text);

// "&&" as one "&", read from left to right, as a caption or the text view draws it. Lists
// stored with doubled ampersands (short info, order, contact, key words) carry them only for
// that drawing; paper, clipboard and search get the text as it is shown. A single "&" stays.
std::string CollapseDoubledAmpersands(std::string_view line);

// The position, counted from 1, of the last `ch` in `text`; 0 when there is none.
std::size_t LastCharPos(char ch, const std::string& text);

}  // namespace lumarc
