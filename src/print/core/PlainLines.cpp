#include "PlainLines.h"

#include "FontTag.h"

namespace lumarc {

TStringList LinesWithoutFontTags(const TStringList& lines)
{
    TStringList result;
    result.Reserve(lines.Count());
    for (const std::string& line : lines.Strings())
        result.Add(StripFontTag(line));
    return result;
}

}  // namespace lumarc
