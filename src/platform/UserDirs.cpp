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

namespace {

// An XDG base directory: the variable when it holds an absolute path, else below the home.
std::string XdgHome(const char* variable, const char* fallback)
{
    if (const char* value = std::getenv(variable); value && value[0] == '/')
        return WithoutTrailingSlashes(value);
    const std::string home = HomeDir();
    return (home == "/" ? "" : home) + fallback;
}

}  // namespace

std::string ConfigHome()
{
    return XdgHome("XDG_CONFIG_HOME", "/.config");
}

std::string DataHome()
{
    return XdgHome("XDG_DATA_HOME", "/.local/share");
}

std::string StateHome()
{
    return XdgHome("XDG_STATE_HOME", "/.local/state");
}

}  // namespace lumarc
