#include "FontTag.h"

namespace lumarc {

namespace {

char UpperAscii(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Position of the first "<F" or "<f", or npos.
std::string::size_type FindTag(std::string_view text)
{
    for (std::string::size_type i = 0; i + 1 < text.size(); ++i)
        if (text[i] == '<' && UpperAscii(text[i + 1]) == 'F')
            return i;
    return std::string::npos;
}

}  // namespace

int FontTagOf(std::string_view line)
{
    std::string squeezed;
    squeezed.reserve(line.size());
    for (const char c : line)
        if (c != ' ' && c != '\b')
            squeezed.push_back(c);
    const auto pos = FindTag(squeezed);
    if (pos == std::string::npos || pos + 2 >= squeezed.size())
        return -1;
    const char digit = squeezed[pos + 2];
    return digit >= '0' && digit <= '9' ? digit - '0' : -1;
}

std::string StripFontTag(std::string_view line)
{
    std::string result(line);
    const auto pos = FindTag(result);
    if (pos != std::string::npos)
        result.erase(pos, 4);
    return result;
}

}  // namespace lumarc
