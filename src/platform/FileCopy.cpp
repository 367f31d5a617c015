#include "FileCopy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <vector>

#include "Disc.h"
#include "FileHandle.h"
#include "SystemErrors.h"

namespace lumarc {

namespace {

// A write that makes no progress counts as a full disk.
void WriteBlock(int fd, const char* data, size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            RaiseSystemError(errno);
        if (written == 0)
            RaiseSystemError(ENOSPC);
        data += written;
        size -= static_cast<size_t>(written);
    }
}

// A new file beside `target`, hidden by its dot, created with the mode a new file gets here.
int CreateTemporary(const std::string& target, std::string& path)
{
    static std::atomic<unsigned> counter{0};
    const size_t slash = target.rfind('/');
    const std::string dir = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        path = dir + "." + name + ".lumarc-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

// Removes the temporary file unless the copy got as far as renaming it.
struct TTemporary {
    std::string Path;
    ~TTemporary()
    {
        if (!Path.empty())
            ::unlink(Path.c_str());
    }
};

// false when cancelled.
bool CopyContents(TDiscFile& in, int out, const TCopyControl& control)
{
    std::vector<char> buffer(control.BlockSize > 0 ? control.BlockSize : 2048);
    int64_t copied = 0;
    for (;;) {
        const int64_t count = in.ReadAt(copied, buffer.data(), static_cast<int64_t>(buffer.size()));
        if (count < 0)
            RaiseSystemError(errno);
        if (count == 0)
            return true;
        WriteBlock(out, buffer.data(), static_cast<size_t>(count));
        copied += count;
        if (control.Progress && !control.Progress(copied))
            return false;
    }
}

}  // namespace

TCopyOutcome CopyFileSafely(const std::string& source, const std::string& target, const TCopyControl& control)
{
    struct stat existing {};
    const bool exists = ::lstat(target.c_str(), &existing) == 0;
    if (exists && control.Overwrite && !control.Overwrite())
        return TCopyOutcome::Skipped;

    // The source is opened before the target is touched, so a source that cannot be read
    // costs the existing target nothing. It may lie in a disc image.
    const std::unique_ptr<TDiscFile> in = OpenDiscFile(source);
    if (!in)
        RaiseSystemError(errno);

    struct stat from {}, to {};
    const bool reachable = exists && ::stat(target.c_str(), &to) == 0;
    if (reachable && ::stat(source.c_str(), &from) == 0 && to.st_dev == from.st_dev && to.st_ino == from.st_ino)
        return TCopyOutcome::Copied;  // truncating it would destroy the source

    if (reachable && !S_ISREG(to.st_mode)) {
        // A device or pipe was not made by the copy: it takes the bytes as it is.
        TFileHandle out(::open(target.c_str(), O_WRONLY | O_CLOEXEC));
        if (!out.IsOpen())
            RaiseSystemError(errno);
        const bool done = CopyContents(*in, out.Get(), control);
        if (const int error = out.Close())
            RaiseSystemError(error);
        return done ? TCopyOutcome::Copied : TCopyOutcome::Cancelled;
    }

    TTemporary temporary;
    TFileHandle out(CreateTemporary(target, temporary.Path));
    if (!out.IsOpen()) {
        temporary.Path.clear();
        RaiseSystemError(errno);
    }
    if (!CopyContents(*in, out.Get(), control))
        return TCopyOutcome::Cancelled;
    const timespec times[2] = {{in->ModificationTime(), 0}, {in->ModificationTime(), 0}};
    ::futimens(out.Get(), times);  // a file system without times still gets the copy
    if (const int error = out.Close())
        RaiseSystemError(error);
    if (::rename(temporary.Path.c_str(), target.c_str()) != 0)
        RaiseSystemError(errno);
    temporary.Path.clear();
    return TCopyOutcome::Copied;
}

}  // namespace lumarc
