#include "IsoVolume.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cdio/iso9660.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>

#include "AsciiCase.h"
#include "DiscLayout.h"
#include "FileHandle.h"
#include "SystemErrors.h"

namespace lumarc {

constexpr int64_t kBlock = ISO_BLOCKSIZE;

// The sectors of the data track, numbered from its first.
class TSectorSource {
public:
    virtual ~TSectorSource() = default;
    virtual int64_t Count() const = 0;
    // Up to `count` sectors from `index` into `out`; how many were read.
    virtual int64_t Read(int64_t index, int64_t count, char* out) = 0;
};

namespace {

uint32_t Le32(const unsigned char* p)
{
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

std::string NameOf(const std::string& path)
{
    return path.substr(path.rfind('/') + 1);
}

class TFileSectors : public TSectorSource {
public:
    TFileSectors(int fd, int64_t fileSize, int64_t offset, TSectorFraming framing)
        : FFile(::dup(fd)), FOffset(offset), FFraming(framing)
    {
        // A plain image may end within its last sector; what is there is read.
        const int64_t bytes = fileSize - offset;
        FCount = framing.FrameSize == kBlock ? (bytes + kBlock - 1) / kBlock : bytes / framing.FrameSize;
    }
    int64_t Count() const override { return FCount; }
    int64_t Read(int64_t index, int64_t count, char* out) override
    {
        count = std::min(count, FCount - index);
        if (index < 0 || count <= 0)
            return 0;
        const int64_t frame = FFraming.FrameSize;
        if (frame == kBlock) {
            const int64_t got = ReadFully(out, count * kBlock, FOffset + index * kBlock);
            const int64_t whole = std::max<int64_t>(got, 0) / kBlock;
            if (got % kBlock != 0 && index + whole + 1 == FCount) {
                std::memset(out + got, 0, static_cast<size_t>(kBlock - got % kBlock));
                return whole + 1;
            }
            return whole;
        }
        // Raw frames are read a few at a time and their data bytes taken out.
        char frames[16 * 2448];
        const int64_t perRead = static_cast<int64_t>(sizeof frames) / frame;
        int64_t done = 0;
        while (done < count) {
            const int64_t want = std::min(perRead, count - done);
            const int64_t got = ReadFully(frames, want * frame, FOffset + (index + done) * frame) / frame;
            for (int64_t i = 0; i < got; ++i)
                std::memcpy(out + (done + i) * kBlock, frames + i * frame + FFraming.DataStart, kBlock);
            done += got;
            if (got < want)
                break;
        }
        return done;
    }

private:
    int64_t ReadFully(char* out, int64_t count, int64_t at)
    {
        int64_t done = 0;
        while (done < count) {
            const ssize_t n = ::pread(FFile.Get(), out + done, static_cast<size_t>(count - done), at + done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            done += n;
        }
        return done;
    }

    TFileHandle FFile;
    int64_t FOffset;
    TSectorFraming FFraming;
    int64_t FCount = 0;
};

// Joliet names are UCS-2 (UTF-16 in practice), big-endian.
std::string FromUtf16Be(const unsigned char* p, size_t length)
{
    std::string out;
    auto put = [&out](uint32_t c) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | c >> 6);
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | c >> 12);
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | c >> 18);
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    };
    for (size_t i = 0; i + 1 < length; i += 2) {
        const uint32_t unit = uint32_t{p[i]} << 8 | p[i + 1];
        if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < length) {
            const uint32_t low = uint32_t{p[i + 2]} << 8 | p[i + 3];
            if (low >= 0xDC00 && low < 0xE000) {
                put(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        put(unit >= 0xD800 && unit < 0xE000 ? 0xFFFD : unit);
    }
    return out;
}

std::string TrimmedLabel(std::string label)
{
    while (!label.empty() && (label.back() == ' ' || label.back() == '\0'))
        label.pop_back();
    return label;
}

// A directory is read whole, as long as its record claims. A real disc's largest holds a
// few hundred kilobytes; a damaged record claiming gigabytes is refused before it is read.
constexpr uint32_t kMaxDirectoryBytes = 16u << 20;

// What a directory record's Rock Ridge entries say.
struct TRockRidge {
    std::string Name;
    bool Relocated = false;         // the directory's place is elsewhere (RE): it is listed there
    std::optional<uint32_t> Child;  // a placeholder for a directory moved away (CL)
};

// Walks the entries of a system use area; a continuation area (CE) is followed a few times.
void ReadRockRidge(TIsoVolume& volume, const unsigned char* at, const unsigned char* end, TRockRidge& rock, int hops)
{
    while (end - at >= 4) {
        const size_t length = at[2];
        if (length < 4 || length > static_cast<size_t>(end - at))
            return;
        const std::string_view signature(reinterpret_cast<const char*>(at), 2);
        if (signature == "NM" && length >= 5 && (at[4] & 6) == 0) {
            rock.Name.append(reinterpret_cast<const char*>(at + 5), length - 5);
        } else if (signature == "RE") {
            rock.Relocated = true;
        } else if (signature == "CL" && length >= 12) {
            rock.Child = Le32(at + 4);
        } else if (signature == "CE" && length >= 28 && hops < 4) {
            const uint32_t offset = Le32(at + 12), size = Le32(at + 20);
            unsigned char area[kBlock];
            if (offset < kBlock && size <= kBlock - offset &&
                volume.Read(Le32(at + 4), 1, reinterpret_cast<char*>(area)) == kBlock)
                ReadRockRidge(volume, area + offset, area + offset + size, rock, hops + 1);
        } else if (signature == "ST") {
            return;
        }
        at += length;
    }
}

}  // namespace

TIsoVolume::~TIsoVolume() = default;

std::unique_ptr<TIsoVolume> TIsoVolume::Open(const std::string& image, std::string* problem)
{
    auto fail = [&](int error, const std::string& why) -> std::unique_ptr<TIsoVolume> {
        if (problem)
            *problem = why;
        errno = error;
        return nullptr;
    };
    auto unreadable = [&](const std::string& why) {
        return fail(EIO, "Das Abbild " + image + " kann nicht gelesen werden: kein lesbares ISO-9660-Dateisystem (" +
                             why + ").");
    };
    const TDataTrack track = DataTrackOf(image);
    if (track.File.empty())
        return fail(ENOENT, "Die Datei " + image + " nennt keine Abbilddatei.");
    TFileHandle file(::open(track.File.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info {};
    if (!file.IsOpen() || ::fstat(file.Get(), &info) != 0) {
        const int error = errno;
        if (track.File != image)
            return fail(ENOENT,
                        "Die Abbilddatei " + NameOf(track.File) + " fehlt (" +
                            (AsciiLower(image).ends_with(".cue") || AsciiLower(image).ends_with(".toc") ? "genannt in "
                                                                                                        : "zu ") +
                            NameOf(image) + ").");
        return fail(error, "Das Abbild " + image + " kann nicht gelesen werden: " + SystemErrorText(error) + ".");
    }
    if (!S_ISREG(info.st_mode) || info.st_size < track.Offset + 17 * kBlock)
        return unreadable("die Datei ist zu kurz");
    const TSectorFraming framing = FramingAt(file.Get(), track.Offset);
    if (framing.FrameSize == 0)
        return unreadable("kein Volume-Deskriptor in Sektor 16");
    std::unique_ptr<TIsoVolume> volume(new TIsoVolume);
    volume->FSectors = std::make_unique<TFileSectors>(file.Get(), info.st_size, track.Offset, framing);
    // The volume descriptors, from sector 16 to the terminator: the primary one, and a Joliet
    // one where the disc has it.
    unsigned char pvd[kBlock], svd[kBlock], sector[kBlock];
    bool havePvd = false;
    for (int64_t index = 16; index < 16 + 64; ++index) {
        if (volume->FSectors->Read(index, 1, reinterpret_cast<char*>(sector)) != 1 ||
            std::memcmp(sector + 1, "CD001", 5) != 0 || sector[0] == 255)
            break;
        if (sector[0] == 1 && !havePvd) {
            std::memcpy(pvd, sector, kBlock);
            havePvd = true;
        } else if (sector[0] == 2 && !volume->FJoliet && sector[88] == 0x25 && sector[89] == 0x2F &&
                   (sector[90] == 0x40 || sector[90] == 0x43 || sector[90] == 0x45)) {
            std::memcpy(svd, sector, kBlock);
            volume->FJoliet = true;
        }
    }
    if (!havePvd)
        return unreadable("kein primärer Volume-Deskriptor");
    if (!volume->FindRoot(reinterpret_cast<const char*>(pvd), track.Lsn))
        return unreadable("das Stammverzeichnis ist nicht lesbar");
    std::optional<TIsoEntry> root;
    if (volume->FJoliet) {
        root = volume->Record(svd + 156, 34);
        if (!root || !root->Directory ||
            !volume->IsDirectoryAt(root->Extents.front().Lsn - volume->FBase, root->Extents.front().Lsn)) {
            volume->FJoliet = false;
            root.reset();
        }
    }
    if (!root)
        root = volume->Record(pvd + 156, 34);
    if (!root || !root->Directory)
        return unreadable("das Stammverzeichnis ist nicht lesbar");
    volume->FRoot = *root;
    volume->FRoot.Name.clear();
    // The Joliet label holds 16 characters, the primary one 32: the Joliet one counts where it
    // is more than the start of the other (lower case, or other letters).
    volume->FLabel = TrimmedLabel(std::string(reinterpret_cast<const char*>(pvd + 40), 32));
    if (volume->FJoliet) {
        const std::string joliet = TrimmedLabel(FromUtf16Be(svd + 40, 32));
        if (!joliet.empty() && !volume->FLabel.starts_with(joliet))
            volume->FLabel = joliet;
    }
    return volume;
}

// Which number the file system gives the track's first sector: 0 for one mastered on its own,
// the track's place on the disc for one mastered to follow audio (or an earlier session). The
// root directory's first record names the directory's own sector, so the base is right where
// that sector holds it. Where the track's place is not known, the sectors after the volume
// descriptors are tried, where mastering tools put the root.
bool TIsoVolume::FindRoot(const char* pvd, int64_t trackLsn)
{
    const uint32_t root = Le32(reinterpret_cast<const unsigned char*>(pvd) + 156 + 2);
    for (const int64_t base : {int64_t{0}, trackLsn}) {
        if (root >= base && IsDirectoryAt(root - base, root)) {
            FBase = base;
            return true;
        }
    }
    for (int64_t index = 17; index < 17 + 512 && index <= root; ++index) {
        if (IsDirectoryAt(index, root)) {
            FBase = root - index;
            return true;
        }
    }
    return false;
}

bool TIsoVolume::IsDirectoryAt(int64_t index, uint32_t lsn)
{
    unsigned char sector[kBlock];
    if (index < 0 || FSectors->Read(index, 1, reinterpret_cast<char*>(sector)) != 1)
        return false;
    return sector[0] >= 34 && sector[32] == 1 && sector[33] == 0 && (sector[25] & 2) != 0 && Le32(sector + 2) == lsn;
}

std::optional<TIsoEntry> TIsoVolume::Record(const unsigned char* record, size_t length)
{
    if (length < 34 || record[0] < 34 || record[0] > length)
        return std::nullopt;
    length = record[0];
    const size_t nameLength = record[32];
    if (33 + nameLength > length)
        return std::nullopt;
    TIsoEntry entry;
    entry.Directory = (record[25] & 2) != 0;
    const uint32_t lsn = Le32(record + 2);
    const uint32_t size = Le32(record + 10);
    entry.Extents.push_back({lsn, size});
    entry.Size = size;
    const unsigned char* name = record + 33;
    if (nameLength == 1 && (name[0] == 0 || name[0] == 1))
        entry.Name = name[0] == 0 ? "." : "..";
    else
        entry.Name =
            FJoliet ? FromUtf16Be(name, nameLength) : std::string(reinterpret_cast<const char*>(name), nameLength);
    std::tm tm{};
    iso9660_get_dtime(reinterpret_cast<const iso9660_dtime_t*>(record + 18), true, &tm);
    entry.Time = ::timegm(&tm);
    if (FJoliet)
        return entry;
    // Rock Ridge: the system use area after the name (padded to an even length).
    TRockRidge rock;
    ReadRockRidge(*this, record + 33 + nameLength + (nameLength % 2 == 0 ? 1 : 0), record + length, rock, 0);
    if (rock.Relocated)
        return std::nullopt;
    if (!rock.Name.empty() && entry.Name != "." && entry.Name != "..")
        entry.Name = rock.Name;
    if (rock.Child) {
        // Its size is in the moved directory's own first record.
        entry.Directory = true;
        entry.Extents = {{*rock.Child, 0}};
        entry.Size = 0;
    }
    return entry;
}

std::optional<std::vector<TIsoEntry>> TIsoVolume::List(const TIsoEntry& directory)
{
    if (!directory.Directory || directory.Extents.empty())
        return std::nullopt;
    const uint32_t lsn = directory.Extents.front().Lsn;
    int64_t size = directory.Extents.front().Size;
    if (size == 0) {
        // A moved directory, reached through its placeholder: its own first record, which
        // names its sector, tells its size.
        unsigned char first[kBlock];
        if (Read(lsn, 1, reinterpret_cast<char*>(first)) != kBlock || first[0] < 34 || Le32(first + 2) != lsn)
            return std::nullopt;
        size = Le32(first + 10);
    }
    if (size > kMaxDirectoryBytes || lsn < FBase || lsn - FBase + (size + kBlock - 1) / kBlock > FSectors->Count())
        return std::nullopt;
    std::vector<unsigned char> data(static_cast<size_t>((size + kBlock - 1) / kBlock * kBlock));
    if (Read(lsn, static_cast<int64_t>(data.size()) / kBlock, reinterpret_cast<char*>(data.data())) !=
        static_cast<int64_t>(data.size()))
        return std::nullopt;
    std::vector<TIsoEntry> entries;
    bool continued = false;  // the last record's file goes on in the next record
    size_t at = 0;
    while (at < static_cast<size_t>(size)) {
        const size_t length = data[at];
        const size_t within = at % kBlock;
        // A record never crosses a sector; the rest of a sector after the last is zeros.
        if (length == 0 || within + length > kBlock) {
            at += kBlock - within;
            continue;
        }
        const bool goesOn = (data[at + 25] & 0x80) != 0;
        std::optional<TIsoEntry> entry = Record(data.data() + at, length);
        at += length;
        if (!entry) {
            continued = false;
            continue;
        }
        if (continued && !entry->Directory && !entries.empty() && !entries.back().Directory) {
            TIsoEntry& file = entries.back();
            file.Unreadable = file.Unreadable || file.Extents.back().Size % kBlock != 0;
            file.Extents.push_back(entry->Extents.front());
            file.Size += entry->Size;
        } else {
            entries.push_back(std::move(*entry));
        }
        continued = goesOn;
    }
    return entries;
}

int64_t TIsoVolume::Read(uint32_t lsn, int64_t count, char* out)
{
    if (lsn < FBase)
        return 0;
    return FSectors->Read(lsn - FBase, count, out) * kBlock;
}

}  // namespace lumarc
