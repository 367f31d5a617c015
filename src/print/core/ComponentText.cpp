#include "ComponentText.h"

#include "ComponentPage.h"
#include "FontTag.h"
#include "PlainLines.h"

namespace lumarc {

std::string ComponentHeading(const TCompoText& compo)
{
    return "Komponente: " + compo.LongName + "   Version " + compo.Version;
}

TStringList ComponentText(const TCompoText& compo, const TStringList& longInfo)
{
    TStringList text;
    text.Add(ComponentHeading(compo));
    text.Add("");
    const TStringList page = ComponentPageLines(compo);
    for (const std::string& line : page.Strings())
        text.Add(CollapseDoubledAmpersands(StripFontTag(line)));
    text.Add("Ausf\xFChrliche Beschreibung:");
    for (const std::string& line : longInfo.Strings())
        text.Add(line);
    return text;
}

}  // namespace lumarc
