#include "Disc.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cdio/iso9660.h>
#include <cdio/logging.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <vector>

#include "DirectoryScan.h"
#include "FileHandle.h"

namespace lumarc {

namespace {

constexpr int64_t kBlock = ISO_BLOCKSIZE;

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool EndsWithImageExtension(const std::string& name)
{
    const std::string lower = Lower(name);
    return lower.ends_with(".iso") || lower.ends_with(".cue") || lower.ends_with(".bin") || lower.ends_with(".ccd") ||
           lower.ends_with(".mds");
}

// `dir`/`name` as the directory spells it: written on a system that does not tell case apart,
// a descriptor names "CASEDEMO.BIN" for casedemo.bin.
std::string InDirectory(const std::string& dir, const std::string& name)
{
    const std::string prefix = dir.empty() || dir.back() == '/' ? dir : dir + "/";
    struct stat info {};
    if (::stat((prefix + name).c_str(), &info) == 0 || name.find('/') != std::string::npos)
        return prefix + name;
    const std::optional<std::string> found = FindDiscEntry(dir.empty() ? std::string(".") : dir, name);
    return prefix + found.value_or(name);
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
    return Lower(ShownName(a)) == Lower(ShownName(b));
}

// The ".bin" a ".cue" names in its FILE line; the cue's own directory when the name has none.
std::string BinOfCue(const std::string& cue)
{
    std::string text;
    {
        TFileHandle file(::open(cue.c_str(), O_RDONLY | O_CLOEXEC));
        if (!file.IsOpen())
            return {};
        char buffer[4096];
        ssize_t n;
        while ((n = ::read(file.Get(), buffer, sizeof buffer)) > 0 && text.size() < (1 << 20))
            text.append(buffer, static_cast<size_t>(n));
    }
    // With a file per track (FILE lines before their TRACK lines), the file system is in the
    // file of the first data track, which need not be the first file: audio may come before it.
    std::string first;
    std::string current;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(at, end - at);
        at = end + 1;
        const size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos)
            continue;
        const std::string keyword = Lower(line.substr(start, 6));
        if (keyword.starts_with("track ")) {
            if (!current.empty() && Lower(line).find("mode") != std::string::npos)
                return current;
            continue;
        }
        if (!keyword.starts_with("file "))
            continue;
        std::string rest = line.substr(start + 5);
        std::string name;
        if (const size_t open = rest.find('"'); open != std::string::npos) {
            const size_t close = rest.find('"', open + 1);
            if (close == std::string::npos)
                return {};
            name = rest.substr(open + 1, close - open - 1);
        } else {
            const size_t firstChar = rest.find_first_not_of(" \t");
            if (firstChar == std::string::npos)
                return {};
            name = rest.substr(firstChar, rest.find_first_of(" \t", firstChar) - firstChar);
        }
        if (name.empty())
            return {};
        const size_t slash = cue.rfind('/');
        const std::string dir = slash == std::string::npos ? std::string() : cue.substr(0, slash + 1);
        current = name.front() == '/' ? name : InDirectory(dir, name);
        if (first.empty())
            first = current;
    }
    // No data track named: the first file, as before.
    return first;
}

// The file that holds an image's sectors: the one a ".cue" names, the ".img" of a CloneCD
// ".ccd", the ".mdf" of an Alcohol ".mds", or the image file itself.
std::string DataFileOf(const std::string& image)
{
    const std::string lower = Lower(image);
    if (lower.ends_with(".cue"))
        return BinOfCue(image);
    if (!lower.ends_with(".ccd") && !lower.ends_with(".mds"))
        return image;
    const size_t slash = image.rfind('/');
    const std::string dir = slash == std::string::npos ? std::string() : image.substr(0, slash + 1);
    const std::string stem = image.substr(dir.size(), image.size() - dir.size() - 4);
    return InDirectory(dir, stem + (lower.ends_with(".ccd") ? ".img" : ".mdf"));
}

// The libraries' own words go nowhere by themselves (they would land in a command's output);
// the last one is kept, to explain an image that cannot be read.
thread_local std::string LastLibraryMessage;

void KeepLibraryMessage(cdio_log_level_t level, const char* message)
{
    if (level >= CDIO_LOG_WARN && message)
        LastLibraryMessage = message;
}

struct TQuietLibrary {
    TQuietLibrary() { cdio_log_set_handler(&KeepLibraryMessage); }
};

void QuietLibrary()
{
    static const TQuietLibrary quiet;
}

// An ISO 9660 volume descriptor in the 16th sector, for each way of storing a sector.
bool HoldsIsoFileSystem(const std::string& file)
{
    TFileHandle handle(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (!handle.IsOpen())
        return false;
    // Plain sectors; raw MODE1 and MODE2 sectors; MODE2 without sync and header (2336).
    for (const int64_t at : {int64_t{16} * 2048 + 1, int64_t{16} * 2352 + 17, int64_t{16} * 2352 + 25,
                             int64_t{16} * 2336 + 9}) {
        char id[5] = {};
        if (::pread(handle.Get(), id, sizeof id, at) == static_cast<ssize_t>(sizeof id) &&
            std::memcmp(id, "CD001", sizeof id) == 0)
            return true;
    }
    return false;
}

struct TIsoCloser {
    void operator()(iso9660_t* iso) const { iso9660_close(iso); }
};
using TIso = std::unique_ptr<iso9660_t, TIsoCloser>;

// The image opened for reading: a plain ISO at 2048 bytes a sector, or with the framing of a
// raw CD sector (2352 bytes, MODE1 or MODE2 form 1) found by looking for the volume descriptor.
TIso OpenImage(const std::string& image)
{
    QuietLibrary();
    const std::string file = DataFileOf(image);
    if (file.empty()) {
        errno = ENOENT;
        return nullptr;
    }
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0)
        return nullptr;
    if (!S_ISREG(info.st_mode) || info.st_size < 17 * kBlock) {
        errno = EIO;
        return nullptr;
    }
    const iso_extension_mask_t extensions = ISO_EXTENSION_ALL;
    TIso iso(info.st_size % 2352 == 0 && info.st_size % kBlock != 0
                 ? iso9660_open_fuzzy_ext(file.c_str(), extensions, 2352)
                 : iso9660_open_ext(file.c_str(), extensions));
    if (!iso)
        iso.reset(iso9660_open_fuzzy_ext(file.c_str(), extensions, 2352));
    if (!iso)
        errno = EIO;
    return iso;
}

// One piece of a file's data on the disc.
struct TExtent {
    lsn_t Lsn = 0;
    uint32_t Size = 0;
};

struct TStat {
    std::string Name;  // as the image lists it
    bool Directory = false;
    lsn_t Lsn = 0;
    int64_t Size = 0;
    std::time_t Time = 0;
    // A file stored in several extents (4 GiB and more, or split by its mastering tool) has a
    // directory record for each, under one name, in order; read together they are the file.
    std::vector<TExtent> Extents;
    // Extents that cannot be read as one file (a piece before the last that ends within a
    // sector): the file is refused rather than read short.
    bool Unreadable = false;
};

// libcdio reads a directory whole, as long as its record claims. A real disc's largest holds a
// few hundred kilobytes; a damaged record claiming gigabytes is refused before it is read.
constexpr uint32_t kMaxDirectoryBytes = 16u << 20;

// The entries of the directory at `rawPath` (names as the image lists them, '/'-separated).
// The directories above it have been read before, so their sizes are known to be sound.
std::optional<std::vector<TStat>> ReadImageDir(iso9660_t* iso, const std::string& rawPath)
{
    const std::string path = rawPath.empty() ? "/" : "/" + rawPath;
    iso9660_stat_t* self = iso9660_ifs_stat(iso, path.c_str());
    const bool sound = self && self->type == iso9660_stat_s::_STAT_DIR && self->size <= kMaxDirectoryBytes;
    if (self)
        iso9660_stat_free(self);
    if (!sound)
        return std::nullopt;
    CdioList_t* list = iso9660_ifs_readdir(iso, path.c_str());
    if (!list)
        return std::nullopt;
    std::vector<TStat> entries;
    for (CdioListNode_t* node = _cdio_list_begin(list); node; node = _cdio_list_node_next(node)) {
        const auto* stat = static_cast<const iso9660_stat_t*>(_cdio_list_node_data(node));
        if (!stat)
            continue;
        const bool directory = stat->type == iso9660_stat_s::_STAT_DIR;
        if (!directory && !entries.empty() && !entries.back().Directory && entries.back().Name == stat->filename) {
            TStat& file = entries.back();
            file.Unreadable = file.Unreadable || file.Extents.back().Size % kBlock != 0;
            file.Extents.push_back({stat->lsn, stat->size});
            file.Size += stat->size;
            continue;
        }
        TStat entry;
        entry.Name = stat->filename;
        entry.Directory = directory;
        entry.Lsn = stat->lsn;
        entry.Size = stat->size;
        entry.Extents.push_back({stat->lsn, stat->size});
        std::tm tm = stat->tm;
        entry.Time = ::timegm(&tm);
        entries.push_back(std::move(entry));
    }
    iso9660_filelist_free(list);
    return entries;
}

// The entry an inner path names, walking it component by component as names on a disc match;
// the root is a directory of its own. `raw` gets the path as the image spells it.
std::optional<TStat> ResolveInImage(iso9660_t* iso, const std::string& inner, std::string* raw = nullptr)
{
    TStat current;
    current.Directory = true;
    std::string rawPath;
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
        const auto entries = ReadImageDir(iso, rawPath);
        if (!entries)
            return std::nullopt;
        const TStat* found = nullptr;
        for (const TStat& entry : *entries) {
            if (entry.Name != "." && entry.Name != ".." && SameDiscName(entry.Name, part) &&
                (!found || entry.Name < found->Name))
                found = &entry;
        }
        if (!found)
            return std::nullopt;
        current = *found;
        rawPath += (rawPath.empty() ? "" : "/") + found->Name;
    }
    if (raw)
        *raw = rawPath;
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
    TImageFile(TIso iso, const TStat& stat) : FIso(std::move(iso)), FStat(stat) {}
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
        for (const TExtent& extent : FStat.Extents) {
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
    int64_t ReadExtent(const TExtent& extent, int64_t offset, int64_t count, char* out)
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
                const long got = iso9660_iso_seek_read(FIso.get(), out + done, extent.Lsn + static_cast<lsn_t>(block),
                                                       static_cast<long>(blocks));
                if (got <= 0)
                    return done;
                done += std::min<int64_t>(got, blocks * kBlock);
                if (got < blocks * kBlock)
                    return done;
                continue;
            }
            const lsn_t lsn = extent.Lsn + static_cast<lsn_t>(block);
            if (FCachedLsn != lsn) {
                if (iso9660_iso_seek_read(FIso.get(), FCache, lsn, 1) != kBlock)
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
    TStat FStat;
    char FCache[kBlock];
    int64_t FCachedLsn = -1;
};

}  // namespace

bool IsDiscImageFile(const std::string& file)
{
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    return EndsWithImageExtension(file) || (info.st_size >= 17 * kBlock && HoldsIsoFileSystem(file));
}

std::string ImageProblem(const std::string& image)
{
    const std::string data = DataFileOf(image);
    if (data.empty())
        return "Die Datei " + image + " nennt keine Abbilddatei.";
    struct stat info {};
    if (data != image && ::stat(data.c_str(), &info) != 0) {
        const auto name = [](const std::string& path) { return path.substr(path.rfind('/') + 1); };
        return "Die Abbilddatei " + name(data) + " fehlt (" + (Lower(image).ends_with(".cue") ? "genannt in " : "zu ") +
               name(image) + ").";
    }
    LastLibraryMessage.clear();
    if (OpenImage(image))
        return {};
    std::string detail = LastLibraryMessage;
    while (!detail.empty() && (detail.back() == '\n' || detail.back() == '.'))
        detail.pop_back();
    return "Das Abbild " + image + " kann nicht gelesen werden: kein lesbares ISO-9660-Dateisystem" +
           (detail.empty() ? std::string() : " (" + detail + ")") + ".";
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
        if ((leadsInto || (EndsWithImageExtension(prefix) && !Lower(prefix).ends_with(".bin"))) &&
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
        const auto stat = ResolveInImage(iso.get(), split->Inner);
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
        const auto stat = ResolveInImage(iso.get(), split->Inner);
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
    std::string raw;
    if (!iso)
        return found;
    const auto here = ResolveInImage(iso.get(), split->Inner, &raw);
    if (!here || !here->Directory)
        return found;
    const auto entries = ReadImageDir(iso.get(), raw);
    if (!entries)
        return found;
    for (const TStat& entry : *entries) {
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
    for (const TDirEntry& entry : ListDiscFolder(dir)) {
        if (entry.Name == "." || entry.Name == ".." || !SameDiscName(entry.Name, name))
            continue;
        if (!found || entry.Name < *found)
            found = entry.Name;
    }
    return found;
}

std::string ImageVolumeLabel(const std::string& image)
{
    TIso iso = OpenImage(image);
    if (!iso)
        return {};
    char* id = nullptr;
    std::string label;
    if (iso9660_ifs_get_volume_id(iso.get(), &id) && id)
        label = id;
    std::free(id);
    while (!label.empty() && label.back() == ' ')
        label.pop_back();
    return label;
}

}  // namespace lumarc
