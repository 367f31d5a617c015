#pragma once
// What the component page shows of a component description, as CP1252 bytes: the language
// and compiler line and the lines of `StuffView` with their font tags. The viewer fills its
// page from these, and printing and copying build the component text from the same lines.

#include <cstdint>
#include <string>

#include "catalogue/CompoText.h"
#include "catalogue/ComponentNames.h"
#include "catalogue/StringList.h"

namespace lumarc {

// Longest packed key word line before a word goes to the next line.
inline constexpr std::size_t kKeyWordLineLimit = 255;

// The supported compilers named by the flag bits 0 (Delphi 1), 1 (Delphi 2) and 2 (BPascal),
// comma separated, or "".
std::string CompilerList(int flags);

// "OS: ..", "Sprache: .." and "Compiler: .." for the parts that are not empty, two spaces
// apart; "" when there is none, and the page then hides the line.
std::string LangCompLine(const TCompoText& compo);

// Key words packed into lines: the first line starts empty, so it begins with a space; a word
// that would take a line past the limit starts the next line.
TStringList PackKeyWords(const TStringList& words);

// The lines of `StuffView`: a "<F1>" heading over each part that has content, then its lines.
TStringList ComponentPageLines(const TCompoText& compo);

}  // namespace lumarc
