#pragma once
// The files an archive would unpack, to see before unpacking what they would replace.

#include <string>
#include <vector>

namespace lumarc {

// The paths, relative to the destination, of the archive's file members as the unzip library
// writes them ("\" read as "/"; folders left out). False when the archive cannot be read;
// raises Exception, saying so, when the ZIP library cannot be loaded.
bool ArchiveFileMembers(const std::string& archive, std::vector<std::string>& members);

}  // namespace lumarc
