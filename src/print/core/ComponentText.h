#pragma once
// The component text: what printing and copying produce for the component page.

#include <string>

#include "catalogue/CompoText.h"
#include "catalogue/StringList.h"
#include "settings/core/TextRoutines.h"

namespace lumarc {

// "Komponente: <long name>   Version <version>": the first line of the component's text on
// paper and on the clipboard.
std::string ComponentHeading(const TCompoText& compo);

// The heading, an empty line, the component page's lines without font tags, "Ausführliche
// Beschreibung:" and the long description: the record's own, or `longInfo` where the viewer
// shows it differently.
TStringList ComponentText(const TCompoText& compo, const TStringList& longInfo);
inline TStringList ComponentText(const TCompoText& compo)
{
    return ComponentText(compo, compo.LongInfo);
}

}  // namespace lumarc
