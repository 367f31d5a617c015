#include "ComponentNames.h"

#include "CompoText.h"

namespace lumarc {

std::string LanguageName(int code)
{
    switch (code) {
    case 1:
    case 44: return "Englisch";
    case 33: return "Franz\xF6sisch";
    case 49: return "Deutsch";
    default: return {};
    }
}

std::vector<std::string> CompilerNames(int flags)
{
    std::vector<std::string> names;
    if (flags & TCompoText::cfDelphi)
        names.emplace_back("Delphi 1.0X");
    if (flags & TCompoText::cfDelphi2)
        names.emplace_back("Delphi 2");
    if (flags & TCompoText::cfBP)
        names.emplace_back("BPascal");
    return names;
}

}  // namespace lumarc
