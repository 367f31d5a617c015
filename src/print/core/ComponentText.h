#pragma once
// The component text: what printing and copying produce for the component page.

#include <string>

#include "catalogue/CompoText.h"
#include "catalogue/StringList.h"
#include "settings/core/TextRoutines.h"

namespace lumarc {

// The heading "Komponente: <long name>   Version <version>", an empty line, the component
// page's lines without font tags, "Ausführliche Beschreibung:" and the long description.
TStringList ComponentText(const TCompoText& compo);

}  // namespace lumarc
