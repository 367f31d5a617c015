#include "PlainLines.h"

namespace lumarc {

std::string RemoveFontTag(std::string_view line)
{
    std::string result(line);
    for (std::string::size_type i = 0; i + 1 < result.size(); ++i) {
        if (result[i] == '<' && (result[i + 1] == 'F' || result[i + 1] == 'f')) {
            result.erase(i, 4);
            break;
        }
    }
    return result;
}

TStringList LinesWithoutFontTags(const TStringList& lines)
{
    TStringList result;
    result.Reserve(lines.Count());
    for (const std::string& line : lines.Strings())
        result.Add(RemoveFontTag(line));
    return result;
}

}  // namespace lumarc
