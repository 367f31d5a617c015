#include "MountTable.h"

#include "WholeFile.h"

namespace lumarc {

namespace {

bool IsOctal(char c)
{
    return c >= '0' && c <= '7';
}

std::vector<std::string_view> Fields(std::string_view line)
{
    std::vector<std::string_view> fields;
    size_t pos = 0;
    while (pos < line.size()) {
        const size_t start = line.find_first_not_of(" \t", pos);
        if (start == std::string_view::npos)
            break;
        const size_t end = line.find_first_of(" \t", start);
        fields.push_back(line.substr(start, end == std::string_view::npos ? end : end - start));
        pos = end == std::string_view::npos ? line.size() : end;
    }
    return fields;
}

}  // namespace

std::string UnescapeMountField(std::string_view field)
{
    std::string out;
    for (size_t i = 0; i < field.size(); ++i) {
        // Only \000 to \377 name a byte.
        if (field[i] == '\\' && i + 3 < field.size() && field[i + 1] >= '0' && field[i + 1] <= '3' &&
            IsOctal(field[i + 2]) && IsOctal(field[i + 3])) {
            out += static_cast<char>(((field[i + 1] - '0') << 6) | ((field[i + 2] - '0') << 3) |
                                     (field[i + 3] - '0'));
            i += 3;
        } else {
            out += field[i];
        }
    }
    return out;
}

std::vector<TMountEntry> ParseMountTable(std::string_view text)
{
    std::vector<TMountEntry> entries;
    while (!text.empty()) {
        const size_t newline = text.find('\n');
        const std::vector<std::string_view> fields = Fields(text.substr(0, newline));
        if (fields.size() >= 3)
            entries.push_back({UnescapeMountField(fields[0]), UnescapeMountField(fields[1]),
                               UnescapeMountField(fields[2])});
        if (newline == std::string_view::npos)
            break;
        text.remove_prefix(newline + 1);
    }
    return entries;
}

std::vector<TMountEntry> ReadMountTable(const std::string& file)
{
    std::string text;
    if (ReadWholeFile(file, text) != 0)
        return {};
    return ParseMountTable(text);
}

}  // namespace lumarc
