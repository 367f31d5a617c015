#include "TextRoutines.h"

namespace lumarc {

std::string RemoveChars(const std::string& text, const TCharSet& charSet)
{
    std::string result;
    result.reserve(text.size());
    for (const char c : text) {
        if (!charSet.test(static_cast<unsigned char>(c)))
            result += c;
    }
    return result;
}

std::string DoubleAmpersands(const std::string& text)
{
    std::string result;
    result.reserve(text.size());
    for (const char c : text) {
        result += c;
        if (c == '&')
            result += '&';
    }
    return result;
}

std::string CollapseDoubledAmpersands(std::string_view line)
{
    std::string result;
    result.reserve(line.size());
    for (std::string_view::size_type i = 0; i < line.size(); ++i) {
        result.push_back(line[i]);
        if (line[i] == '&' && i + 1 < line.size() && line[i + 1] == '&')
            ++i;
    }
    return result;
}

std::size_t LastCharPos(char ch, const std::string& text)
{
    const std::size_t pos = text.rfind(ch);
    return pos == std::string::npos ? 0 : pos + 1;
}

}  // namespace lumarc
