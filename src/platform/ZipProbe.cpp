#include "ZipProbe.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "Disc.h"

namespace lumarc {

bool HoldsZipArchive(const std::string& path)
{
    // The record is within the largest archive comment of the end, and a few stray bytes.
    constexpr int64_t kTail = 0xFFFF + 22 + 1024;
    const std::unique_ptr<TDiscFile> file = OpenDiscFile(path);
    if (!file)
        return false;
    const int64_t size = file->Size();
    const int64_t count = std::min(size, kTail);
    if (count < 22)
        return false;
    std::vector<char> tail(static_cast<size_t>(count));
    if (file->ReadAt(size - count, tail.data(), count) != count)
        return false;
    static const char kSignature[] = {'P', 'K', 5, 6};
    return std::search(tail.begin(), tail.end(), std::begin(kSignature), std::end(kSignature)) != tail.end();
}

}  // namespace lumarc
