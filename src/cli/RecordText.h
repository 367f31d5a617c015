#pragma once

#include <string>
#include <vector>

#include "catalogue/StringList.h"

namespace lumarc {

// A short text decoded for output: its first line (the file name) is CP1252, the memo lines
// below it are OEM text, CP850.
std::vector<std::string> ShortTextLinesUtf8(const TStringList& lines);

}  // namespace lumarc
