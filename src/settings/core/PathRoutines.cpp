#include "PathRoutines.h"

#include <unistd.h>

#include <cctype>
#include <climits>

#include "platform/UserDirs.h"

namespace lumarc {

namespace {

bool StartsWithDrive(const std::string& path)
{
    return path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]));
}

}  // namespace

std::string ProgramDir()
{
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer);
    if (length <= 0 || static_cast<size_t>(length) >= sizeof buffer)
        return "./";
    const std::string path(buffer, static_cast<size_t>(length));
    return path.substr(0, path.rfind('/') + 1);
}

std::string DataDir()
{
    return ProgramDir() + "Data/";
}

std::string IncludeBackslash(const std::string& path)
{
    if (path.empty())
        return path;
    if (path.find('\\') != std::string::npos || StartsWithDrive(path)) {
        if (path.back() == '\\' || (path.size() == 2 && StartsWithDrive(path)))
            return path;
        return path + '\\';
    }
    return path.back() == '/' ? path : path + '/';
}

std::string SystemDir()
{
    const std::string home = HomeDir();
    return (home == "/" ? "" : home) + "/.local/lib";
}

std::string FileTitle(const std::string& path)
{
    const size_t separator = path.find_last_of(":\\/");
    std::string title = path.substr(separator == std::string::npos ? 0 : separator + 1, 255);
    const size_t dot = title.find('.');
    if (dot != std::string::npos)
        title.erase(dot, 4);
    return title;
}

std::string HostDestinationPath(const std::string& setting)
{
    if (setting.starts_with('/'))
        return setting;
    std::string rest = setting;
    if (rest.size() >= 2 && std::isalpha(static_cast<unsigned char>(rest[0])) && rest[1] == ':')
        rest.erase(0, 2);
    for (char& c : rest) {
        if (c == '\\')
            c = '/';
    }
    while (rest.starts_with('/'))
        rest.erase(0, 1);
    const std::string home = HomeDir();
    std::string path = (home == "/" ? std::string() : home) + "/" + rest;
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

}  // namespace lumarc
