#include "WholeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "FileHandle.h"

namespace lumarc {

namespace {

int WriteAll(int fd, std::string_view data)
{
    while (!data.empty()) {
        const ssize_t written = ::write(fd, data.data(), data.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        data.remove_prefix(static_cast<size_t>(written));
    }
    return 0;
}

std::string DirectoryOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a write to `path` should replace: the target of a symbolic link, else path itself.
std::string ReplacementTarget(const std::string& path)
{
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(path.c_str(), resolved))
            return resolved;
    }
    return path;
}

}  // namespace

int ReadWholeFile(const std::string& path, std::string& contents)
{
    contents.clear();
    TFileHandle fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.Get() < 0)
        return errno;
    char buffer[8192];
    for (;;) {
        const ssize_t count = ::read(fd.Get(), buffer, sizeof buffer);
        if (count == 0)
            return 0;
        if (count < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        contents.append(buffer, static_cast<size_t>(count));
    }
}

int WriteWholeFileAtomically(const std::string& path, std::string_view contents)
{
    const std::string target = ReplacementTarget(path);
    const std::string directory = DirectoryOf(target);
    std::string temporary = directory + "/.lumarc-XXXXXX";
    TFileHandle fd(::mkstemp(temporary.data()));
    if (fd.Get() < 0)
        return errno;

    struct stat existing {};
    const mode_t mode = ::stat(target.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : 0600;
    int error = ::fchmod(fd.Get(), mode) == 0 ? 0 : errno;
    if (error == 0)
        error = WriteAll(fd.Get(), contents);
    if (error == 0 && ::fsync(fd.Get()) != 0)
        error = errno;
    const int closeError = fd.Close();
    if (error == 0)
        error = closeError;
    if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        return error;
    }
    // Make the rename itself durable; a failure here loses nothing already written.
    TFileHandle dir(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Get() >= 0)
        ::fsync(dir.Get());
    return 0;
}

}  // namespace lumarc
