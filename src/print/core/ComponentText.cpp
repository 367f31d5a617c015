#include "ComponentText.h"

#include "ComponentPage.h"
#include "FontTag.h"
#include "PlainLines.h"

namespace lumarc {

TStringList ComponentText(const TCompoText& compo)
{
    TStringList text;
    text.Add("Komponente: " + compo.LongName + "   Version " + compo.Version);
    text.Add("");
    const TStringList page = ComponentPageLines(compo);
    for (const std::string& line : page.Strings())
        text.Add(CollapseDoubledAmpersands(StripFontTag(line)));
    text.Add("Ausf\xFChrliche Beschreibung:");
    for (const std::string& line : compo.LongInfo.Strings())
        text.Add(line);
    return text;
}

}  // namespace lumarc
