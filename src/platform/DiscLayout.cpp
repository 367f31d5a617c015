#include "DiscLayout.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

#include "AsciiCase.h"
#include "Disc.h"
#include "FileHandle.h"

namespace lumarc {

namespace {

std::string DirectoryOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// `dir`/`name` as the directory spells it: written on a system that does not tell case apart,
// a descriptor names "CASEDEMO.BIN" for casedemo.bin.
std::string InDirectory(const std::string& dir, const std::string& name)
{
    if (!name.empty() && name.front() == '/')
        return name;
    struct stat info {};
    if (::stat((dir + name).c_str(), &info) == 0 || name.find('/') != std::string::npos)
        return dir + name;
    const std::optional<std::string> found = FindDiscEntry(dir.empty() ? std::string(".") : dir, name);
    return dir + found.value_or(name);
}

// A descriptor's text; a megabyte is more than any real one holds.
std::string ReadText(const std::string& path)
{
    std::string text;
    TFileHandle file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.IsOpen())
        return text;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(file.Get(), buffer, sizeof buffer)) > 0 && text.size() < (1 << 20))
        text.append(buffer, static_cast<size_t>(n));
    return text;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(at, end - at);
        at = end + 1;
        const size_t start = line.find_first_not_of(" \t");
        const size_t last = line.find_last_not_of(" \t\r");
        if (start != std::string::npos)
            lines.push_back(line.substr(start, last - start + 1));
    }
    return lines;
}

int64_t FileSize(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_size : 0;
}

// "mm:ss:ff" in frames of 1/75 s; -1 when it is none.
int64_t Frames(const std::string& msf)
{
    int minutes = 0, seconds = 0, frames = 0;
    char end = 0;
    if (std::sscanf(msf.c_str(), "%d:%d:%d%c", &minutes, &seconds, &frames, &end) != 3 || minutes < 0 || seconds < 0 ||
        frames < 0)
        return -1;
    return (int64_t{minutes} * 60 + seconds) * 75 + frames;
}

// The bytes a track of this mode ("AUDIO", "MODE1/2048", "MODE2/2352", "CDG") stores a sector in.
int64_t SectorSizeOf(const std::string& mode)
{
    if (const size_t slash = mode.find('/'); slash != std::string::npos) {
        const long size = std::strtol(mode.c_str() + slash + 1, nullptr, 10);
        if (size == 2048 || size == 2324 || size == 2336 || size == 2352 || size == 2448)
            return size;
    }
    return AsciiLower(mode) == "cdg" ? 2448 : 2352;
}

// The quoted or bare name after FILE; empty when there is none.
std::string CueFileName(const std::string& line)
{
    const std::string rest = line.substr(5);
    if (const size_t open = rest.find('"'); open != std::string::npos) {
        const size_t close = rest.find('"', open + 1);
        return close == std::string::npos ? std::string() : rest.substr(open + 1, close - open - 1);
    }
    const size_t first = rest.find_first_not_of(" \t");
    return first == std::string::npos ? std::string() : rest.substr(first, rest.find_first_of(" \t", first) - first);
}

// A track that may hold the file system: its first byte in the file and, where the descriptor
// tells, its first sector on the disc.
struct TTrackStart {
    int64_t Offset = 0;
    int64_t Lsn = 0;
};

// The first of the tracks whose bytes hold a volume descriptor: the descriptors below are read
// only as far as they say where tracks begin, and what is there decides. Without one, the file
// from its start.
TDataTrack FirstWithFileSystem(const std::string& file, const std::vector<TTrackStart>& tracks)
{
    TFileHandle handle(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    for (const TTrackStart& track : tracks) {
        if (handle.IsOpen() && track.Offset >= 0 && FramingAt(handle.Get(), track.Offset).FrameSize != 0)
            return {file, track.Offset, track.Lsn};
    }
    return {file, 0, 0};
}

// The file system is in the first data track, which need not be the first track: audio may come
// before it, in the same file or in a file of its own. The positions in a ".cue" count frames
// within the file, each of its track's sector size.
TDataTrack CueDataTrack(const std::string& cue)
{
    const std::string dir = DirectoryOf(cue);
    TDataTrack first;
    std::string file;
    int64_t fileLsn = 0;       // the disc's sectors before this file
    int64_t extraLsn = 0;      // pregaps not stored in a file, and the gaps between sessions
    int64_t trackSize = 2352;  // of the track being read
    bool data = false;
    int64_t bytes = 0, lastFrame = 0, lastSize = 0;
    bool indexInFile = false;
    for (const std::string& line : Lines(ReadText(cue))) {
        const std::string lower = AsciiLower(line);
        if (lower.starts_with("file ")) {
            const std::string name = CueFileName(line);
            if (name.empty())
                return {};
            if (!file.empty())
                fileLsn += FileSize(file) / (lastSize > 0 ? lastSize : trackSize);
            file = InDirectory(dir, name);
            if (first.File.empty())
                first.File = file;
            bytes = lastFrame = lastSize = 0;
            indexInFile = false;
        } else if (lower.starts_with("track ")) {
            const size_t mode = lower.find_first_of(" \t", lower.find_first_not_of(" \t", 6));
            const std::string name =
                mode == std::string::npos ? std::string() : line.substr(lower.find_first_not_of(" \t", mode));
            trackSize = SectorSizeOf(name);
            data = AsciiLower(name).starts_with("mode");
        } else if (lower.starts_with("pregap ")) {
            extraLsn += std::max<int64_t>(0, Frames(line.substr(7)));
        } else if (lower.starts_with("rem session ")) {
            // Session 2 begins after the lead-out and lead-in of the first, 11400 sectors.
            if (std::atoi(line.c_str() + 12) > 1)
                extraLsn += 11400;
        } else if (lower.starts_with("index ") && !file.empty()) {
            int number = -1;
            char position[32] = {};
            if (std::sscanf(line.c_str() + 6, "%d %31s", &number, position) != 2)
                continue;
            const int64_t frame = Frames(position);
            if (frame < lastFrame)
                continue;
            bytes += (frame - lastFrame) * (indexInFile ? lastSize : trackSize);
            lastFrame = frame;
            lastSize = trackSize;
            indexInFile = true;
            if (number == 1 && data)
                return FirstWithFileSystem(file, {{bytes, fileLsn + frame + extraLsn}, {0, 0}});
        }
    }
    // No data track named: the first file from its start, as a plain image.
    return first;
}

// A CloneCD image holds every sector from the disc's first, 2352 bytes each, but for the gap
// between two sessions; its descriptor gives each track's mode (0 for audio) and first sector.
TDataTrack CloneCdDataTrack(const std::string& ccd, const std::string& img)
{
    int64_t mode = -1;
    for (const std::string& line : Lines(ReadText(ccd))) {
        const std::string lower = AsciiLower(line);
        if (lower.starts_with("[track ")) {
            mode = -1;
        } else if (lower.starts_with("mode=")) {
            mode = std::atoi(line.c_str() + 5);
        } else if (lower.starts_with("index 1=") && mode > 0) {
            const int64_t lsn = std::atoll(line.c_str() + 8);
            if (lsn > 0)
                return FirstWithFileSystem(img, {{lsn * 2352, lsn}, {(lsn - 11400) * 2352, lsn}, {0, 0}});
            break;
        }
    }
    return {img, 0, 0};
}

uint64_t BigEndian(const unsigned char* p, int bytes)
{
    uint64_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value = value << 8 | p[i];
    return value;
}

uint64_t LittleEndian(const unsigned char* p, int bytes)
{
    uint64_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | p[i];
    return value;
}

// The part of a file from `at`, at most `limit` bytes.
std::string ReadBytes(int fd, int64_t at, int64_t limit)
{
    std::string bytes(static_cast<size_t>(std::max<int64_t>(limit, 0)), '\0');
    const ssize_t got = at < 0 ? -1 : ::pread(fd, bytes.data(), bytes.size(), at);
    bytes.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return bytes;
}

// A Nero image ends with a pointer to its chunks ("NER5" and 64 bits, or "NERO" and 32). The
// track lists give each track's first byte: ETN2/ETNF for a track written at once, DAOX/DAOI
// for a disc written at once.
std::vector<TTrackStart> NeroTracks(const std::string& nrg)
{
    std::vector<TTrackStart> tracks;
    TFileHandle file(::open(nrg.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info {};
    if (!file.IsOpen() || ::fstat(file.Get(), &info) != 0 || info.st_size < 12)
        return tracks;
    const std::string tail = ReadBytes(file.Get(), info.st_size - 12, 12);
    if (tail.size() != 12)
        return tracks;
    const auto* t = reinterpret_cast<const unsigned char*>(tail.data());
    int64_t at = 0;
    if (tail.compare(0, 4, "NER5") == 0)
        at = static_cast<int64_t>(BigEndian(t + 4, 8));
    else if (tail.compare(4, 4, "NERO") == 0)
        at = static_cast<int64_t>(BigEndian(t + 8, 4));
    else
        return tracks;
    for (int chunks = 0; chunks < 64 && at >= 0 && at + 8 <= info.st_size; ++chunks) {
        const std::string head = ReadBytes(file.Get(), at, 8);
        const std::string id = head.substr(0, 4);
        const int64_t length =
            static_cast<int64_t>(BigEndian(reinterpret_cast<const unsigned char*>(head.data()) + 4, 4));
        if (id == "END!" || head.size() != 8)
            break;
        const std::string data = ReadBytes(file.Get(), at + 8, std::min<int64_t>(length, 1 << 16));
        const auto* d = reinterpret_cast<const unsigned char*>(data.data());
        if (id == "ETN2" || id == "ETNF") {
            const size_t entry = id == "ETN2" ? 32 : 20;
            const int width = id == "ETN2" ? 8 : 4;
            for (size_t e = 0; e + entry <= data.size(); e += entry)
                tracks.push_back({static_cast<int64_t>(BigEndian(d + e, width)),
                                  static_cast<int64_t>(BigEndian(d + e + 2 * width + 4, 4))});
        } else if (id == "DAOX" || id == "DAOI") {
            // 22 bytes of header; per track the ISRC, sector size, mode and flags (18 bytes),
            // then where index 0, index 1 and the end lie.
            const size_t width = id == "DAOX" ? 8 : 4;
            for (size_t e = 22; e + 18 + 3 * width <= data.size(); e += 18 + 3 * width)
                tracks.push_back({static_cast<int64_t>(BigEndian(d + e + 18 + width, static_cast<int>(width))), 0});
        }
        at += 8 + length;
    }
    return tracks;
}

// An Alcohol descriptor: after its header, session blocks of 24 bytes that point to track
// blocks of 80; a track block holds the track's number, its first sector and its first byte in
// the ".mdf".
std::vector<TTrackStart> AlcoholTracks(const std::string& mds)
{
    std::vector<TTrackStart> tracks;
    const std::string text = ReadText(mds);
    const auto* d = reinterpret_cast<const unsigned char*>(text.data());
    if (text.size() < 0x58 || text.compare(0, 16, "MEDIA DESCRIPTOR") != 0)
        return tracks;
    const size_t sessions = LittleEndian(d + 0x14, 2);
    const size_t sessionAt = LittleEndian(d + 0x50, 4);
    for (size_t s = 0; s < sessions && s < 99 && sessionAt + 24 * (s + 1) <= text.size(); ++s) {
        const unsigned char* session = d + sessionAt + 24 * s;
        const size_t blocks = session[0x0A];
        const size_t blockAt = LittleEndian(session + 0x14, 4);
        for (size_t b = 0; b < blocks && blockAt + 80 * (b + 1) <= text.size(); ++b) {
            const unsigned char* block = d + blockAt + 80 * b;
            if (block[4] >= 1 && block[4] <= 99)
                tracks.push_back({static_cast<int64_t>(LittleEndian(block + 0x28, 8)),
                                  static_cast<int64_t>(LittleEndian(block + 0x24, 4))});
        }
    }
    return tracks;
}

// A cdrdao table of contents: TRACK lines with a mode, and the file each track's data is in
// (DATAFILE, or FILE for audio), with its first byte after a "#" where the file holds more
// than one track.
TDataTrack CdrdaoDataTrack(const std::string& toc)
{
    const std::string dir = DirectoryOf(toc);
    bool data = false;
    std::string first;
    for (const std::string& line : Lines(ReadText(toc))) {
        const std::string lower = AsciiLower(line);
        if (lower.starts_with("track ")) {
            data = !AsciiLower(line.substr(6)).starts_with("audio");
            continue;
        }
        if (!data || !(lower.starts_with("datafile ") || lower.starts_with("file ")))
            continue;
        const size_t open = line.find('"');
        const size_t close = open == std::string::npos ? open : line.find('"', open + 1);
        if (close == std::string::npos)
            return {};
        const std::string file = InDirectory(dir, line.substr(open + 1, close - open - 1));
        const size_t hash = line.find('#', close);
        const int64_t offset = hash == std::string::npos ? 0 : std::atoll(line.c_str() + hash + 1);
        return FirstWithFileSystem(file, {{offset, 0}, {0, 0}});
    }
    return {};
}

}  // namespace

TDataTrack DataTrackOf(const std::string& image)
{
    const std::string lower = AsciiLower(image);
    if (lower.ends_with(".cue"))
        return CueDataTrack(image);
    if (lower.ends_with(".nrg"))
        return FirstWithFileSystem(image, NeroTracks(image));
    if (lower.ends_with(".toc"))
        return CdrdaoDataTrack(image);
    if (!lower.ends_with(".ccd") && !lower.ends_with(".mds"))
        return {image, 0, 0};
    const std::string dir = DirectoryOf(image);
    const std::string stem = image.substr(dir.size(), image.size() - dir.size() - 4);
    if (lower.ends_with(".ccd"))
        return CloneCdDataTrack(image, InDirectory(dir, stem + ".img"));
    return FirstWithFileSystem(InDirectory(dir, stem + ".mdf"), AlcoholTracks(image));
}

TSectorFraming FramingAt(int fd, int64_t offset)
{
    static const TSectorFraming kFramings[] = {{2048, 0}, {2352, 16}, {2352, 24}, {2336, 8}, {2448, 16}, {2448, 24}};
    for (const TSectorFraming& framing : kFramings) {
        char id[5] = {};
        if (::pread(fd, id, sizeof id, offset + int64_t{16} * framing.FrameSize + framing.DataStart + 1) ==
                static_cast<ssize_t>(sizeof id) &&
            std::memcmp(id, "CD001", sizeof id) == 0)
            return framing;
    }
    return {};
}

}  // namespace lumarc
