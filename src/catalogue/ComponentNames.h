#pragma once
// The German names the component page gives a component's language code and compiler flags, as
// CP1252 bytes. The page, printing, the component list and lumarc-cli all name them so.

#include <string>
#include <vector>

namespace lumarc {

// The name of a language code (an international telephone country code), or "".
std::string LanguageName(int code);

// The compilers named by the flag bits 0 ("Delphi 1.0X"), 1 ("Delphi 2") and 2 ("BPascal"), in
// that order.
std::vector<std::string> CompilerNames(int flags);

}  // namespace lumarc
