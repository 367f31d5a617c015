#pragma once
// Paths in the catalogue are Windows paths on the catalogue disc ("D:\COMPS\GRID.ZIP").

#include <optional>
#include <string>

namespace lumarc {

// The host path of a Windows path on the catalogue disc. `winPath` is CP1252, as the
// catalogue holds it; the result is UTF-8. A path on drive `discDrive` (either case) maps below
// `discRoot`; each component is matched without regard to case against the entries of the
// directory reached so far, as on the disc's own file system, and keeps its given spelling
// where nothing matches. "\" and "/" both separate components; empty and "." components are
// skipped and a trailing separator is kept. Nothing (nullopt) for another drive, a path
// without a drive, an empty root, and a path with a ".." component or a NUL byte, which could
// lead outside the disc.
std::optional<std::string> MapWindowsPath(const std::string& winPath, char discDrive, const std::string& discRoot);

}  // namespace lumarc
