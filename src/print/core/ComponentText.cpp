#include "ComponentText.h"

#include "ComponentPage.h"
#include "PlainLines.h"

namespace lumarc {

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

TStringList ComponentText(const TCompoText& compo)
{
    TStringList text;
    text.Add("Komponente: " + compo.LongName + "   Version " + compo.Version);
    text.Add("");
    const TStringList page = ComponentPageLines(compo);
    for (const std::string& line : page.Strings())
        text.Add(CollapseDoubledAmpersands(RemoveFontTag(line)));
    text.Add("Ausf\xFChrliche Beschreibung:");
    for (const std::string& line : compo.LongInfo.Strings())
        text.Add(line);
    return text;
}

}  // namespace lumarc
