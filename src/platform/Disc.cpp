#include "Disc.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <vector>

#include "AsciiCase.h"
#include "DirectoryScan.h"
#include "DiscLayout.h"
#include "FileHandle.h"
#include "IsoVolume.h"

namespace lumarc {

namespace {

constexpr int64_t kBlock = 2048;

bool EndsWithImageExtension(const std::string& name)
{
    const std::string lower = AsciiLower(name);
    for (const char* extension : {".iso", ".cue", ".bin", ".ccd", ".mds", ".nrg", ".toc"}) {
        if (lower.ends_with(extension))
            return true;
    }
    return false;
}

// The name as the user sees it: ";1" and the final "." of a name without extension dropped.
std::string ShownName(std::string name)
{
    if (const size_t semicolon = name.rfind(';'); semicolon != std::string::npos && semicolon + 1 < name.size() &&
        std::all_of(name.begin() + static_cast<long>(semicolon) + 1, name.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
        name.erase(semicolon);
    if (name.size() > 1 && name.back() == '.' && name != "..")
        name.pop_back();
    return name;
}

bool SameDiscName(const std::string& a, const std::string& b)
{
    return AsciiLower(ShownName(a)) == AsciiLower(ShownName(b));
}

using TIso = std::unique_ptr<TIsoVolume>;

TIso OpenImage(const std::string& image)
{
    return TIsoVolume::Open(image);
}

// The entry an inner path names, walking it component by component as names on a disc match;
// the root is a directory of its own. `raw` gets the path as the image spells it.
std::optional<TIsoEntry> ResolveInImage(TIsoVolume& iso, const std::string& inner)
{
    TIsoEntry current = iso.Root();
    size_t at = 0;
    while (at <= inner.size()) {
        size_t slash = inner.find('/', at);
        if (slash == std::string::npos)
            slash = inner.size();
        const std::string part = inner.substr(at, slash - at);
        at = slash + 1;
        if (part.empty() || part == ".")
            continue;
        if (!current.Directory || part == "..")
            return std::nullopt;  // a path never climbs out of a disc
        const auto entries = iso.List(current);
        if (!entries)
            return std::nullopt;
        const TIsoEntry* found = nullptr;
        for (const TIsoEntry& entry : *entries) {
            if (entry.Name != "." && entry.Name != ".." && SameDiscName(entry.Name, part) &&
                (!found || entry.Name < found->Name))
                found = &entry;
        }
        if (!found)
            return std::nullopt;
        current = *found;
    }
    return current;
}

class THostFile : public TDiscFile {
public:
    THostFile(int fd, const struct stat& info) : FFile(fd), FInfo(info) {}
    int64_t Size() const override { return FInfo.st_size; }
    std::time_t ModificationTime() const override { return FInfo.st_mtime; }
    int64_t ReadAt(int64_t offset, void* buffer, int64_t count) override
    {
        for (;;) {
            const ssize_t n = ::pread(FFile.Get(), buffer, static_cast<size_t>(count), offset);
            if (n >= 0 || errno != EINTR)
                return n;
        }
    }

private:
    TFileHandle FFile;
    struct stat FInfo;
};

// A file inside an image: its extent read block by block through the image's own handle,
// so that every reader (the viewer, the search thread) has a position of its own.
class TImageFile : public TDiscFile {
public:
    TImageFile(TIso iso, const TIsoEntry& stat) : FIso(std::move(iso)), FStat(stat) {}
    int64_t Size() const override { return FStat.Size; }
    std::time_t ModificationTime() const override { return FStat.Time; }
    int64_t ReadAt(int64_t offset, void* buffer, int64_t count) override
    {
        if (offset < 0 || count < 0) {
            errno = EINVAL;
            return -1;
        }
        if (FStat.Unreadable) {
            errno = EIO;
            return -1;
        }
        const int64_t size = FStat.Size;
        if (offset >= size)
            return 0;
        count = std::min(count, size - offset);
        auto* out = static_cast<char*>(buffer);
        int64_t done = 0;
        int64_t start = 0;  // of the extent in the file
        for (const TIsoExtent& extent : FStat.Extents) {
            const int64_t end = start + extent.Size;
            while (done < count && offset + done < end) {
                const int64_t got = ReadExtent(extent, offset + done - start,
                                               std::min(count - done, end - (offset + done)), out + done);
                if (got <= 0)
                    return Failed(done);
                done += got;
            }
            start = end;
            if (done == count)
                break;
        }
        return done;
    }

private:
    // Up to `count` bytes from `offset` within one extent; fewer when the image ends early.
    int64_t ReadExtent(const TIsoExtent& extent, int64_t offset, int64_t count, char* out)
    {
        int64_t done = 0;
        while (done < count) {
            const int64_t position = offset + done;
            const int64_t block = position / kBlock;
            const int64_t within = position % kBlock;
            const int64_t take = std::min(count - done, kBlock - within);
            if (within == 0 && take == kBlock) {
                // Whole blocks go straight into the caller's buffer.
                const int64_t blocks = (count - done) / kBlock;
                const int64_t got = FIso->Read(extent.Lsn + static_cast<uint32_t>(block), blocks, out + done);
                if (got <= 0)
                    return done;
                done += std::min<int64_t>(got, blocks * kBlock);
                if (got < blocks * kBlock)
                    return done;
                continue;
            }
            const int64_t lsn = extent.Lsn + block;
            if (FCachedLsn != lsn) {
                if (FIso->Read(static_cast<uint32_t>(lsn), 1, FCache) != kBlock)
                    return done;
                FCachedLsn = lsn;
            }
            std::memcpy(out + done, FCache + within, static_cast<size_t>(take));
            done += take;
        }
        return done;
    }

    // A read that fails after some bytes gives those; one that fails at once is an error.
    static int64_t Failed(int64_t done)
    {
        if (done > 0)
            return done;
        errno = EIO;
        return -1;
    }

    TIso FIso;
    TIsoEntry FStat;
    char FCache[kBlock];
    int64_t FCachedLsn = -1;
};

}  // namespace

bool IsDiscImageFile(const std::string& file)
{
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    if (EndsWithImageExtension(file))
        return true;
    TFileHandle handle(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    return info.st_size >= 17 * kBlock && handle.IsOpen() && FramingAt(handle.Get(), 0).FrameSize != 0;
}

std::string ImageProblem(const std::string& image)
{
    std::string problem;
    return TIsoVolume::Open(image, &problem) ? std::string() : problem;
}

std::optional<TImagePath> SplitImagePath(const std::string& path)
{
    // The first component from the left that is an image file; a directory named "x.iso" is
    // just a directory.
    size_t at = path.find('/', 1);
    for (;;) {
        const std::string prefix = at == std::string::npos ? path : path.substr(0, at);
        // A ".bin" on its own is as often a component's file as an image; it is an image when
        // a path leads into it.
        const bool leadsInto = at != std::string::npos && at + 1 < path.size();
        // A file that a path leads into can only be an image, whatever its name (".img"); its
        // content tells.
        if ((leadsInto || (EndsWithImageExtension(prefix) && !AsciiLower(prefix).ends_with(".bin"))) &&
            IsDiscImageFile(prefix)) {
            std::string inner = at == std::string::npos ? std::string() : path.substr(at + 1);
            while (inner.ends_with('/'))
                inner.pop_back();
            return TImagePath{prefix, inner};
        }
        if (at == std::string::npos)
            return std::nullopt;
        at = path.find('/', at + 1);
    }
}

std::unique_ptr<TDiscFile> OpenDiscFile(const std::string& path)
{
    // The image file itself is a file of the host, to be copied like any other.
    if (const auto split = SplitImagePath(path); split && !split->Inner.empty()) {
        TIso iso = OpenImage(split->Image);
        if (!iso)
            return nullptr;
        const auto stat = ResolveInImage(*iso, split->Inner);
        if (!stat) {
            errno = ENOENT;
            return nullptr;
        }
        if (stat->Directory) {
            errno = EISDIR;
            return nullptr;
        }
        if (stat->Unreadable) {
            errno = ENOTSUP;
            return nullptr;
        }
        return std::make_unique<TImageFile>(std::move(iso), *stat);
    }
    TFileHandle file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info {};
    if (!file.IsOpen() || ::fstat(file.Get(), &info) != 0)
        return nullptr;
    if (S_ISDIR(info.st_mode)) {
        errno = EISDIR;
        return nullptr;
    }
    const int fd = file.Get();
    return std::make_unique<THostFile>(::dup(fd), info);
}

TDiscPathKind DiscPathKind(const std::string& path)
{
    if (const auto split = SplitImagePath(path)) {
        TIso iso = OpenImage(split->Image);
        if (!iso)
            return TDiscPathKind::None;
        const auto stat = ResolveInImage(*iso, split->Inner);
        return !stat ? TDiscPathKind::None : stat->Directory ? TDiscPathKind::Directory : TDiscPathKind::File;
    }
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return TDiscPathKind::None;
    return S_ISDIR(info.st_mode) ? TDiscPathKind::Directory : TDiscPathKind::File;
}

std::vector<TDirEntry> ListDiscFolder(const std::string& dir)
{
    const auto split = SplitImagePath(dir);
    if (!split)
        return ReadDirectory(dir);
    std::vector<TDirEntry> found;
    TIso iso = OpenImage(split->Image);
    if (!iso)
        return found;
    const auto here = ResolveInImage(*iso, split->Inner);
    if (!here || !here->Directory)
        return found;
    const auto entries = iso->List(*here);
    if (!entries)
        return found;
    for (const TIsoEntry& entry : *entries) {
        if (entry.Name == "." || (entry.Name == ".." && split->Inner.empty()))
            continue;
        TDirEntry shown;
        shown.Name = entry.Name == ".." ? entry.Name : ShownName(entry.Name);
        shown.Attr = faReadOnly | (entry.Directory ? faDirectory : faArchive);
        shown.Time = entry.Time;
        shown.Size = entry.Directory ? 0 : entry.Size;
        found.push_back(std::move(shown));
    }
    if (!split->Inner.empty() && std::none_of(found.begin(), found.end(), [](const TDirEntry& e) { return e.Name == ".."; }))
        found.push_back({"..", faReadOnly | faDirectory, 0, 0});
    found.insert(found.begin(), {".", faReadOnly | faDirectory, 0, 0});
    return found;
}

std::optional<std::string> FindDiscEntry(const std::string& dir, const std::string& name)
{
    std::optional<std::string> found;
    const auto matching = [&name](const std::string& entry) { return SameDiscName(entry, name); };
    for (const TDirEntry& entry : SplitImagePath(dir) ? ListDiscFolder(dir) : ReadDirectory(dir, matching)) {
        if (entry.Name == "." || entry.Name == ".." || !SameDiscName(entry.Name, name))
            continue;
        if (!found || entry.Name < *found)
            found = entry.Name;
    }
    return found;
}

std::string ImageVolumeLabel(const std::string& image)
{
    const TIso iso = OpenImage(image);
    return iso ? iso->Label() : std::string();
}

}  // namespace lumarc
