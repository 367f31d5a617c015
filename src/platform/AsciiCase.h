#pragma once
// Names on a disc and the extensions of image files match without regard to ASCII case; other
// letters are left as they are, as the file systems of that time knew no other folding.

#include <string>

namespace lumarc {

inline char AsciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Whatever locale the program runs in: a UTF-8 locale must not touch the bytes of a code page.
inline std::string AsciiLower(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

}  // namespace lumarc
