#pragma once
// Path routines shared by the start-up, the catalogue and the installer. Paths from the
// catalogue are Windows paths; the program's own are host paths. Both kinds pass through here.

#include <string>

namespace lumarc {

// The directory of the running program file, with a trailing "/".
std::string ProgramDir();
// ProgramDir() followed by "Data/".
std::string DataDir();

// A path with its directory separator appended. Windows paths (holding a "\" or beginning
// with a drive "X:") get "\" unless they end in one or are a bare drive ("c:" stays "c:");
// other paths get "/" unless they end in one. An empty path stays empty: appending would
// turn "no directory" into the root.
std::string IncludeBackslash(const std::string& path);

// The place on this machine that a destination setting names. A host path stays as it is; a
// path of the old Windows system ("c:\delphi\component", "\komp", "komp") goes below the home
// directory as the drive's root did: "~/delphi/component". No trailing "/".
std::string HostDestinationPath(const std::string& setting);

// Where the program may put a shared library it needs, as the system directory served on
// Windows: the user's own library directory, ~/.local/lib (no trailing "/"). Not created here.
std::string SystemDir();

// The file name part of a path (after the last ":", "\" or "/", at most 255 characters) with
// the four characters from its first "." on removed: "c:\x\setup.exe" -> "setup",
// "readme.txt.bak" -> "readme.bak", a name without "." stays whole.
std::string FileTitle(const std::string& path);

}  // namespace lumarc
