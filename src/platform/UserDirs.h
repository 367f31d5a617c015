#pragma once
// The per-user directories the program keeps its own files in.

#include <string>

namespace lumarc {

// $HOME, or the password database's home directory when HOME is unset or empty; no
// trailing "/" unless it is the root.
std::string HomeDir();

// $XDG_CONFIG_HOME when it is set to an absolute path, otherwise HomeDir() + "/.config"
// (relative values are ignored, as the XDG base directory rules demand). No trailing "/".
std::string ConfigHome();
// $XDG_DATA_HOME, or HomeDir() + "/.local/share", by the same rules.
std::string DataHome();
// $XDG_STATE_HOME, or HomeDir() + "/.local/state", by the same rules.
std::string StateHome();

}  // namespace lumarc
