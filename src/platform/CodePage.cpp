#include "CodePage.h"

#include <algorithm>

#include "Iconv.h"

namespace lumarc {

namespace {

// The bytes glibc's CP1252 refuses; their code points equal the byte values.
bool IsUndefinedCp1252(unsigned char byte)
{
    return byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
}

enum EDirection { kFromCp1252, kToCp1252, kFromCp850, kToCp850 };

TIconv& Converter(EDirection direction)
{
    thread_local TIconv converters[] = {
        {"UTF-8", "CP1252"}, {"CP1252", "UTF-8"}, {"UTF-8", "CP850"}, {"CP850", "UTF-8"}};
    return converters[direction];
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view bytes)
{
    // Plain ASCII is its own UTF-8; most catalogue texts need no conversion at all.
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    size_t runStart = 0;
    for (size_t i = 0; i <= bytes.size(); ++i) {
        if (i < bytes.size() && !IsUndefinedCp1252(static_cast<unsigned char>(bytes[i])))
            continue;
        // Every other byte is defined, so a run cannot fail to convert.
        Converter(kFromCp1252).Convert(bytes.substr(runStart, i - runStart), out);
        if (i < bytes.size()) {
            out += '\xC2';  // U+0080..U+00BF in UTF-8: C2 followed by the byte
            out += bytes[i];
        }
        runStart = i + 1;
    }
    return out;
}

std::string Cp850ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    Converter(kFromCp850).Convert(bytes, out);  // all 256 bytes are defined
    return out;
}

bool Utf8ToCp1252(std::string_view utf8, std::string& out)
{
    out.clear();
    size_t runStart = 0;
    for (size_t i = 0; i <= utf8.size(); ++i) {
        const bool undefined = i + 1 < utf8.size() && utf8[i] == '\xC2' &&
                               IsUndefinedCp1252(static_cast<unsigned char>(utf8[i + 1]));
        if (i < utf8.size() && !undefined)
            continue;
        if (!Converter(kToCp1252).Convert(utf8.substr(runStart, i - runStart), out))
            return false;
        if (undefined) {
            out += utf8[i + 1];
            ++i;
        }
        runStart = i + 1;
    }
    return true;
}

bool Utf8ToCp850(std::string_view utf8, std::string& out)
{
    out.clear();
    return Converter(kToCp850).Convert(utf8, out);
}

std::string UpperCaseAnsi(std::string_view cp1252)
{
    std::string result(cp1252);
    for (char& c : result) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'a' && byte <= 'z') || (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7))
            c = static_cast<char>(byte - 0x20);
        else if (byte == 0x9A || byte == 0x9C || byte == 0x9E)
            c = static_cast<char>(byte - 0x10);
        else if (byte == 0xFF)
            c = static_cast<char>(0x9F);
    }
    return result;
}

}  // namespace lumarc
