#pragma once
// How an install record names the disc it came from.

#include <string>

namespace lumarc {

// The volume label of the disc or image that `discRoot` lies on; "" when it has none.
std::string DiscLabelOf(const std::string& discRoot);

// Shared by every copy or image of the same disc: the index file's content hash and the data
// file's size.
std::string CatalogueIdentity(const std::string& dataFileName, const std::string& indexFileName);

}  // namespace lumarc
