#include "FileRoutines.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <iostream>

#include "platform/Exception.h"
#include "platform/Disc.h"
#include "platform/FileCopy.h"

namespace lumarc {

namespace {

void PrintMessage(const std::string& text, const std::string& caption)
{
    std::cerr << caption << ": " << text << '\n';
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

void ReportRemovalFailure(const TMessageHook& report, int error)
{
    (report ? report : PrintMessage)("FehlerNummer: " + std::to_string(error), "Verzeichnis löschen");
}

}  // namespace

void DeleteFileForced(const std::string& fileName)
{
    // The file's own permissions do not guard its deletion here (the directory's do), so
    // there is no read-only attribute to clear first.
    ::unlink(fileName.c_str());
}

void DeleteTree(const std::string& dir, const TMessageHook& report)
{
    const std::string target = WithoutFinalSeparator(dir);
    struct stat info {};
    if (::lstat(target.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        if (::unlink(target.c_str()) != 0)
            ReportRemovalFailure(report, errno);
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
                DeleteTree(path, report);
            else
                DeleteFileForced(path);
        }
        ::closedir(handle);
    }
    if (::rmdir(target.c_str()) != 0)
        ReportRemovalFailure(report, errno);
}

void DeleteDirectory(const std::string& dir, const TMessageHook& report)
{
    DeleteTree(dir, report);
}

void CopyFileBlocks(const std::string& source, const std::string& dest)
{
    // The source may lie on a disc image; one that cannot be opened is no error here.
    if (!OpenDiscFile(source))
        return;
    CopyFileSafely(source, dest);
}

}  // namespace lumarc
