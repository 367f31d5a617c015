#include "FileHash.h"

#include <xxhash.h>

#include <cstdio>
#include <memory>

#include "platform/Disc.h"

namespace lumarc {

std::optional<std::string> FileHash(const std::string& path)
{
    // Through the disc layer, so that a file inside a disc image hashes as the file it is.
    const std::unique_ptr<TDiscFile> file = OpenDiscFile(path);
    const std::unique_ptr<XXH3_state_t, XXH_errorcode (*)(XXH3_state_t*)> state(XXH3_createState(), XXH3_freeState);
    if (!file || !state || XXH3_64bits_reset(state.get()) != XXH_OK)
        return std::nullopt;
    static constexpr int64_t kBlock = 64 * 1024;
    const std::unique_ptr<char[]> buffer(new char[kBlock]);
    for (int64_t offset = 0;;) {
        const int64_t n = file->ReadAt(offset, buffer.get(), kBlock);
        if (n < 0)
            return std::nullopt;
        if (n == 0)
            break;
        XXH3_64bits_update(state.get(), buffer.get(), static_cast<size_t>(n));
        offset += n;
    }
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(XXH3_64bits_digest(state.get())));
    return std::string(hex);
}

}  // namespace lumarc
