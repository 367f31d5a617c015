#include "FileRoutines.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <iostream>
#include <utility>

#include "platform/Exception.h"
#include "platform/FileHandle.h"

namespace lumarc {

namespace {

constexpr size_t kCopyBlockSize = 2048;

void PrintMessage(const std::string& text, const std::string& caption)
{
    std::cerr << caption << ": " << text << '\n';
}

TMessageHook& DeleteTreeMessageHook()
{
    static TMessageHook hook = PrintMessage;
    return hook;
}

bool IsDirectoryNotLink(const std::string& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Opens a directory for listing without following a symbolic link, and gives its owner the
// right to empty it.
DIR* OpenForEmptying(const std::string& dir)
{
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && (info.st_mode & S_IRWXU) != S_IRWXU)
        ::fchmod(fd, (info.st_mode & 07777) | S_IRWXU);
    DIR* handle = ::fdopendir(fd);
    if (!handle)
        ::close(fd);
    return handle;
}

// Step 4 of the removal: a final separator goes, unless it is that of a root ("/", "c:\").
std::string WithoutFinalSeparator(std::string dir)
{
    if (dir.size() > 2 && (dir.back() == '\\' || dir.back() == '/') && dir[dir.size() - 2] != ':')
        dir.pop_back();
    return dir;
}

void ReportRemovalFailure(int error)
{
    const TMessageHook& hook = DeleteTreeMessageHook();
    hook("FehlerNummer: " + std::to_string(error), "Verzeichnis löschen");
}

[[noreturn]] void RaiseInOutError(int error)
{
    throw EInOutError(InOutErrorMessage(error));
}

// Reads up to `size` bytes, retrying interrupted reads; -1 with errno on failure.
ssize_t ReadBlock(int fd, char* buffer, size_t size)
{
    for (;;) {
        const ssize_t count = ::read(fd, buffer, size);
        if (count >= 0 || errno != EINTR)
            return count;
    }
}

// 0, or the errno of the failure; a write that makes no progress counts as a full disc.
int WriteBlock(int fd, const char* data, size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return errno;
        if (written == 0)
            return ENOSPC;
        data += written;
        size -= static_cast<size_t>(written);
    }
    return 0;
}

int CopyContents(int in, int out)
{
    char buffer[kCopyBlockSize];
    for (;;) {
        const ssize_t count = ReadBlock(in, buffer, sizeof buffer);
        if (count < 0)
            return errno;
        if (count == 0)
            return 0;
        if (const int error = WriteBlock(out, buffer, static_cast<size_t>(count)))
            return error;
    }
}

}  // namespace

TMessageHook SetDeleteTreeMessageHook(TMessageHook hook)
{
    TMessageHook previous = std::exchange(DeleteTreeMessageHook(), hook ? std::move(hook) : PrintMessage);
    return previous;
}

void DeleteFileForced(const std::string& fileName)
{
    // The file's own permissions do not guard its deletion here (the directory's do), so
    // there is no read-only attribute to clear first.
    ::unlink(fileName.c_str());
}

void DeleteTree(const std::string& dir)
{
    const std::string target = WithoutFinalSeparator(dir);
    struct stat info {};
    if (::lstat(target.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        if (::unlink(target.c_str()) != 0)
            ReportRemovalFailure(errno);
        return;
    }
    if (DIR* handle = OpenForEmptying(target)) {
        // Host paths: the entries are joined with "/" even where `dir` looks like a Windows path.
        const std::string prefix = target.back() == '/' ? target : target + '/';
        while (const dirent* entry = ::readdir(handle)) {
            const std::string name = entry->d_name;
            if (name == "." || name == "..")
                continue;
            const std::string path = prefix + name;
            if (IsDirectoryNotLink(path))
                DeleteTree(path);
            else
                DeleteFileForced(path);
        }
        ::closedir(handle);
    }
    if (::rmdir(target.c_str()) != 0)
        ReportRemovalFailure(errno);
}

void DeleteDirectory(const std::string& dir)
{
    DeleteTree(dir);
}

void CopyFileBlocks(const std::string& source, const std::string& dest)
{
    TFileHandle in(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat sourceInfo {};
    if (!in.IsOpen() || ::fstat(in.Get(), &sourceInfo) != 0 || S_ISDIR(sourceInfo.st_mode))
        return;

    TFileHandle out(::open(dest.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666));
    if (!out.IsOpen())
        RaiseInOutError(errno);
    struct stat destInfo {};
    if (::fstat(out.Get(), &destInfo) != 0)
        RaiseInOutError(errno);
    if (destInfo.st_dev == sourceInfo.st_dev && destInfo.st_ino == sourceInfo.st_ino)
        return;  // truncating the destination would destroy the source

    // Only a regular file is cut and, after a failure, removed: a device such as /dev/null
    // takes the copy as it is and must never be unlinked.
    const bool regular = S_ISREG(destInfo.st_mode);
    if (regular && ::ftruncate(out.Get(), 0) != 0)
        RaiseInOutError(errno);
    int error = CopyContents(in.Get(), out.Get());
    const int closeOut = out.Close();
    if (error == 0)
        error = closeOut;
    if (error != 0) {
        if (regular)
            ::unlink(dest.c_str());
        RaiseInOutError(error);
    }
    if (const int closeIn = in.Close())
        RaiseInOutError(closeIn);
}

}  // namespace lumarc
