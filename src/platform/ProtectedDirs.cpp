#include "ProtectedDirs.h"

#include <sys/stat.h>

#include <climits>
#include <cstdlib>
#include <filesystem>

#include "UserDirs.h"

namespace lumarc {

namespace {

std::string Normal(const std::string& path)
{
    std::string normal = std::filesystem::path(path).lexically_normal().string();
    while (normal.size() > 1 && normal.back() == '/')
        normal.pop_back();
    return normal;
}

bool IsSystemTopLevel(const std::string& path)
{
    static const char* const names[] = {"/usr", "/etc", "/tmp",  "/var", "/home", "/opt", "/boot", "/dev",
                                        "/proc", "/run", "/srv", "/sys", "/mnt",  "/media", "/bin", "/sbin",
                                        "/root", "/lost+found"};
    if (path == "/")
        return true;
    for (const char* name : names) {
        if (path == name)
            return true;
    }
    // /lib, /lib32, /lib64, /libx32 and whatever else a system keeps there
    return path.rfind("/lib", 0) == 0 && path.find('/', 1) == std::string::npos;
}

bool IsAncestorOrSelf(const std::string& dir, const std::string& of)
{
    if (dir == of || dir == "/")
        return true;
    return of.size() > dir.size() && of.compare(0, dir.size(), dir) == 0 && of[dir.size()] == '/';
}

bool IsProtectedAsWritten(const std::string& path, const std::string& home, const std::vector<TMountEntry>& mounts)
{
    if (path.empty() || IsSystemTopLevel(path) || IsAncestorOrSelf(path, Normal(home)))
        return true;
    for (const TMountEntry& mount : mounts) {
        if (Normal(mount.MountPoint) == path)
            return true;
    }
    // A file system mounted here that the table does not show (another namespace's view).
    struct stat self {}, parent {};
    return ::stat(path.c_str(), &self) == 0 && ::stat((path + "/..").c_str(), &parent) == 0 &&
           self.st_dev != parent.st_dev;
}

}  // namespace

bool IsProtectedDirectory(const std::string& path, const std::string& home, const std::vector<TMountEntry>& mounts)
{
    const std::string written = Normal(path);
    if (IsProtectedAsWritten(written, home, mounts))
        return true;
    char resolved[PATH_MAX];
    return ::realpath(written.c_str(), resolved) && IsProtectedAsWritten(Normal(resolved), home, mounts);
}

bool IsProtectedDirectory(const std::string& path)
{
    return IsProtectedDirectory(path, HomeDir(), ReadMountTable());
}

}  // namespace lumarc
