#pragma once
// What the file lists and the install dialog ask of a file's name or path.

#include <string>
#include <string_view>

namespace lumarc {

// The extension with its dot, upper-cased: from the last "." after the last ":", "\" or "/";
// empty when there is none.
std::string UpperExtension(std::string_view name);

// A mask part as a file search reads it: "*.*" and "*" match every name, letters match without
// regard to case, and "NAME.*" also matches NAME without an extension.
bool MatchesMask(const std::string& mask, const std::string& name);

// Whether `path` names something: a drive root ("c:\") always, else what lstat finds, a broken
// link included.
bool PathExists(const std::string& path);

}  // namespace lumarc
