#include "Trash.h"

#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "LocalTime.h"
#include "UserDirs.h"

namespace lumarc {

namespace {

// A path as a trash info file holds it: bytes outside the unreserved ones escaped as in URLs.
std::string Escaped(const std::string& path)
{
    static const char* const kHex = "0123456789ABCDEF";
    std::string out;
    for (const unsigned char c : path) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '/' || c == '-' ||
            c == '_' || c == '.' || c == '~') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

// The item's absolute path: its folder resolved, its own name kept, so a link is named itself.
std::string AbsolutePath(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    const std::filesystem::path given(path);
    const std::filesystem::path parent = given.has_parent_path() ? given.parent_path() : ".";
    char resolved[PATH_MAX];
    if (!::realpath(parent.c_str(), resolved))
        return {};
    return (std::filesystem::path(resolved) / given.filename()).string();
}

// Claims a name in info/ by creating its info file exclusively: the first free of NAME,
// NAME.2, NAME.3, ... Returns the name, or empty when none can be made.
std::string ClaimInfoFile(const std::filesystem::path& trash, const std::string& name, int& fd)
{
    for (int n = 1; n < 10000; ++n) {
        const std::string candidate = n == 1 ? name : name + "." + std::to_string(n);
        const std::string info = (trash / "info" / (candidate + ".trashinfo")).string();
        struct stat taken {};
        if (::lstat((trash / "files" / candidate).c_str(), &taken) == 0)
            continue;
        fd = ::open(info.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0)
            return candidate;
        if (errno != EEXIST)
            return {};
    }
    return {};
}

}  // namespace

bool TrashCanTake(const std::string& path)
{
    struct stat item {};
    if (::lstat(path.c_str(), &item) != 0)
        return false;
    // The nearest existing directory on the way to the trash tells its file system.
    std::filesystem::path dir = DataHome();
    struct stat data {};
    while (::stat(dir.c_str(), &data) != 0) {
        if (!dir.has_parent_path() || dir.parent_path() == dir)
            return false;
        dir = dir.parent_path();
    }
    return S_ISDIR(data.st_mode) && data.st_dev == item.st_dev;
}

bool MoveToTrash(const std::string& path)
{
    const std::string absolute = AbsolutePath(path);
    const std::string name = std::filesystem::path(absolute).filename().string();
    if (absolute.empty() || name.empty() || name == "." || name == "..")
        return false;
    const std::filesystem::path trash = std::filesystem::path(DataHome()) / "Trash";
    std::error_code error;
    const bool made = !std::filesystem::exists(trash, error);
    std::filesystem::create_directories(trash / "files", error);
    std::filesystem::create_directories(trash / "info", error);
    if (made)
        ::chmod(trash.c_str(), 0700);
    int fd = -1;
    const std::string slot = ClaimInfoFile(trash, name, fd);
    if (slot.empty())
        return false;
    const std::string info = "[Trash Info]\nPath=" + Escaped(absolute) + "\nDeletionDate=" + LocalNowIso() + "\n";
    const bool written = ::write(fd, info.data(), info.size()) == static_cast<ssize_t>(info.size());
    const bool closed = ::close(fd) == 0;
    const std::string infoPath = (trash / "info" / (slot + ".trashinfo")).string();
    if (!written || !closed || ::rename(absolute.c_str(), (trash / "files" / slot).c_str()) != 0) {
        ::unlink(infoPath.c_str());
        return false;
    }
    return true;
}

}  // namespace lumarc
