#pragma once
// Conversions between the catalogue's two code pages and UTF-8. Catalogue texts are CP1252;
// the short texts below their first line are OEM text, CP850. Decoding never loses a byte:
// the five bytes CP1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the C1 control
// characters of the same number, as browsers decode "windows-1252", and encode back to
// themselves. CP850's box-drawing characters decode to the Unicode box-drawing block and its
// control bytes 0x00-0x1F and 0x7F to the same code points. All functions are thread-safe.

#include <string>
#include <string_view>

namespace lumarc {

std::string Cp1252ToUtf8(std::string_view bytes);
std::string Cp850ToUtf8(std::string_view bytes);

// False when `utf8` is not valid UTF-8 or holds a character the code page cannot hold;
// `out` is then unspecified.
bool Utf8ToCp1252(std::string_view utf8, std::string& out);
bool Utf8ToCp850(std::string_view utf8, std::string& out);

// Upper case of a CP1252 text as the program compares names: a-z and the accented lower-case
// letters (0xE0-0xFE except 0xF7, and 0x9A, 0x9C, 0x9E, 0xFF) become their capitals; "ß" and
// every other byte stay.
std::string UpperCaseAnsi(std::string_view cp1252);

}  // namespace lumarc
