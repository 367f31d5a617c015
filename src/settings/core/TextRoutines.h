#pragma once
// Small text routines for captions and names.

#include <bitset>
#include <cstddef>
#include <string>

namespace lumarc {

using TCharSet = std::bitset<256>;

// `text` without the bytes that are members of `charSet`, the others in their order.
std::string RemoveChars(const std::string& text, const TCharSet& charSet);

// Every "&" doubled, so that a caption shows the character instead of taking it as the mark
// of an accelerator key: "Tom & Jerry" -> "Tom && Jerry".
std::string DoubleAmpersands(const std::string& text);

// The position, counted from 1, of the last `ch` in `text`; 0 when there is none.
std::size_t LastCharPos(char ch, const std::string& text);

}  // namespace lumarc
