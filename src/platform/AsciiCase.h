#pragma once
// Names on a disc and the extensions of image files match without regard to ASCII case; other
// letters are left as they are, as the file systems of that time knew no other folding.

#include <cctype>
#include <string>

namespace lumarc {

inline char AsciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

inline std::string AsciiLower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace lumarc
