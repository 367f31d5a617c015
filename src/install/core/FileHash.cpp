#include "FileHash.h"

#include <xxhash.h>

#include <cstdio>
#include <memory>


namespace lumarc {

std::optional<std::string> FileHash(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rbe");
    if (!file)
        return std::nullopt;
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> closer(file, std::fclose);
    const std::unique_ptr<XXH3_state_t, XXH_errorcode (*)(XXH3_state_t*)> state(XXH3_createState(), XXH3_freeState);
    if (!state || XXH3_64bits_reset(state.get()) != XXH_OK)
        return std::nullopt;
    char buffer[64 * 1024];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        XXH3_64bits_update(state.get(), buffer, n);
    if (std::ferror(file))
        return std::nullopt;
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(XXH3_64bits_digest(state.get())));
    return std::string(hex);
}

}  // namespace lumarc
