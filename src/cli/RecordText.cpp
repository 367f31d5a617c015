#include "RecordText.h"

#include "platform/CodePage.h"

namespace lumarc {

std::vector<std::string> ShortTextLinesUtf8(const TStringList& lines)
{
    std::vector<std::string> out;
    out.reserve(static_cast<size_t>(lines.Count()));
    for (int i = 0; i < lines.Count(); ++i)
        out.push_back(i == 0 ? Cp1252ToUtf8(lines[i]) : Cp850ToUtf8(lines[i]));
    return out;
}

}  // namespace lumarc
