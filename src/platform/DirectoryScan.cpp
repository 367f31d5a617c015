#include "DirectoryScan.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/magic.h>
#include <linux/msdos_fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <memory>

namespace lumarc {

namespace {

// The hidden, system, read-only and archive bits that a FAT file system (a floppy, a memory
// stick) keeps for a file; 0 when they cannot be read.
uint32_t FatAttributes(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return 0;
    __u32 attributes = 0;
    const bool ok = ::ioctl(fd, FAT_IOCTL_GET_ATTRIBUTES, &attributes) == 0;
    ::close(fd);
    return ok ? (attributes & (ATTR_RO | ATTR_HIDDEN | ATTR_SYS | ATTR_ARCH)) : 0;
}

}  // namespace

std::vector<TDirEntry> ReadDirectory(const std::string& dir)
{
    return ReadDirectory(dir, [](const std::string&) { return true; });
}

std::vector<TDirEntry> ReadDirectory(const std::string& dir, const std::function<bool(const std::string&)>& wanted)
{
    std::vector<TDirEntry> found;
    std::unique_ptr<DIR, int (*)(DIR*)> handle(::opendir(dir.c_str()), &::closedir);
    if (!handle)
        return found;
    const bool root = dir == "/";
    struct statfs fs {};
    const bool fat = ::statfs(dir.c_str(), &fs) == 0 && fs.f_type == MSDOS_SUPER_MAGIC;
    while (const dirent* entry = ::readdir(handle.get())) {
        TDirEntry f;
        f.Name = entry->d_name;
        // The root has no parent to go to.
        if ((root && f.Name == "..") || !wanted(f.Name))
            continue;
        const std::string path = (root ? "/" : dir + "/") + f.Name;
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0 && ::lstat(path.c_str(), &st) != 0)
            continue;
        if (S_ISDIR(st.st_mode))
            f.Attr |= faDirectory;
        else if (S_ISREG(st.st_mode))
            f.Attr |= faArchive;
        else
            f.Attr |= faSysFile;
        const bool dots = f.Name == "." || f.Name == "..";
        if (f.Name[0] == '.' && !dots)
            f.Attr |= faHidden;
        if (::access(path.c_str(), W_OK) != 0)
            f.Attr |= faReadOnly;
        if (fat && !dots)
            f.Attr |= FatAttributes(path) & (faHidden | faSysFile);
        f.Time = st.st_mtime;
        f.Size = S_ISDIR(st.st_mode) ? 0 : static_cast<int64_t>(st.st_size);
        found.push_back(std::move(f));
    }
    return found;
}

}  // namespace lumarc
