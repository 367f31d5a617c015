#pragma once
// The component text: what printing and copying produce for the component page.

#include <string>
#include <string_view>

#include "catalogue/CompoText.h"
#include "catalogue/StringList.h"

namespace lumarc {

// "&&" as one "&", as the text view draws it. The page's short info, order, contact and key
// word lines carry doubled ampersands only for that mnemonic drawing; paper and clipboard have
// no mnemonics, so they get the text as the page shows it. A single "&" stays.
std::string CollapseDoubledAmpersands(std::string_view line);

// The heading "Komponente: <long name>   Version <version>", an empty line, the component
// page's lines without font tags, "Ausführliche Beschreibung:" and the long description.
TStringList ComponentText(const TCompoText& compo);

}  // namespace lumarc
