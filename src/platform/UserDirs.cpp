#include "UserDirs.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace lumarc {

namespace {

std::string WithoutTrailingSlashes(std::string dir)
{
    while (dir.size() > 1 && dir.back() == '/')
        dir.pop_back();
    return dir;
}

}  // namespace

std::string HomeDir()
{
    if (const char* home = std::getenv("HOME"); home && *home)
        return WithoutTrailingSlashes(home);
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_dir)
        return WithoutTrailingSlashes(found->pw_dir);
    return "/";
}

std::string ConfigHome()
{
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && config[0] == '/')
        return WithoutTrailingSlashes(config);
    const std::string home = HomeDir();
    return (home == "/" ? "" : home) + "/.config";
}

}  // namespace lumarc
