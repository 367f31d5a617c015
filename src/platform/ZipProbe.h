#pragma once
// Whether a file holds a ZIP archive, by its content: a self-extracting program ("SETUP.EXE")
// holds one as well as a ".ZIP" does, and a name says nothing of it.

#include <string>

namespace lumarc {

// True when the end of the file (on the host or inside a disc image) holds the record that
// ends a ZIP archive's directory.
bool HoldsZipArchive(const std::string& path);

}  // namespace lumarc
