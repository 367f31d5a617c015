#include "QueryParser.h"

#include <cstdint>
#include <cstring>

namespace lumarc {

namespace {

constexpr std::string_view kAndSeparator = " + ";
constexpr std::string_view kOrSeparator = " - ";

}  // namespace

void UpperCaseAZ(std::string& text)
{
    // Eight bytes at a time (the search upper-cases every record it reads): a byte is a-z when
    // its high bit is clear and its low seven bits lie in 'a'..'z'; those lose bit 5.
    constexpr uint64_t kOnes = 0x0101010101010101ull;
    constexpr uint64_t kHigh = 0x8080808080808080ull;
    char* p = text.data();
    size_t left = text.size();
    for (; left >= 8; p += 8, left -= 8) {
        uint64_t word;
        std::memcpy(&word, p, 8);
        const uint64_t low7 = word & ~kHigh;
        const uint64_t atLeastA = low7 + (0x80 - 'a') * kOnes;
        const uint64_t aboveZ = low7 + (0x7F - 'z') * kOnes;
        const uint64_t lower = (atLeastA ^ aboveZ) & ~word & kHigh;
        word ^= lower >> 2;
        std::memcpy(p, &word, 8);
    }
    for (; left > 0; ++p, --left)
        if (static_cast<unsigned char>(*p - 'a') < 26u)
            *p = static_cast<char>(*p - ('a' - 'A'));
}

std::string UpperCaseAZ(std::string_view text)
{
    std::string upper(text);
    UpperCaseAZ(upper);
    return upper;
}

void ParseQuery(std::string query, bool caseSensitive, TStringList& terms)
{
    if (!caseSensitive)
        UpperCaseAZ(query);
    terms.Clear();
    std::string_view rest = query;
    for (;;) {
        const size_t andAt = rest.find(kAndSeparator);
        const size_t orAt = rest.find(kOrSeparator);
        if (andAt == std::string_view::npos && orAt == std::string_view::npos)
            break;
        const bool isOr = orAt < andAt;
        const size_t at = isOr ? orAt : andAt;
        terms.Add(std::string(rest.substr(0, at)), isOr ? soOr : soAnd);
        rest.remove_prefix(at + kAndSeparator.size());
    }
    terms.Add(std::string(rest), soNone);
}

}  // namespace lumarc
