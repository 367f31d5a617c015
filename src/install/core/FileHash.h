#pragma once
// The content hash an install record keeps of each file it wrote, to tell later whether the
// file is still as it was written.

#include <optional>
#include <string>

namespace lumarc {

// The file's XXH3 64-bit hash as 16 lower-case hex digits; none when it cannot be read.
std::optional<std::string> FileHash(const std::string& path);

}  // namespace lumarc
