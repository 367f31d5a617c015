#include "DiscLayout.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

#include "Disc.h"
#include "FileHandle.h"

namespace lumarc {

namespace {

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

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
    if (std::sscanf(msf.c_str(), "%d:%d:%d%c", &minutes, &seconds, &frames, &end) != 3 || minutes < 0 ||
        seconds < 0 || frames < 0)
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
    return Lower(mode) == "cdg" ? 2448 : 2352;
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
        const std::string lower = Lower(line);
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
            const std::string name = mode == std::string::npos ? std::string() : line.substr(lower.find_first_not_of(" \t", mode));
            trackSize = SectorSizeOf(name);
            data = Lower(name).starts_with("mode");
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
                return {file, bytes, fileLsn + frame + extraLsn, false};
        }
    }
    // No data track named: the first file from its start, as a plain image.
    return first;
}

// A CloneCD image holds every sector from the disc's first, 2352 bytes each; its descriptor
// gives each track's mode (0 for audio) and first sector.
TDataTrack CloneCdDataTrack(const std::string& ccd, const std::string& img)
{
    int64_t mode = -1;
    for (const std::string& line : Lines(ReadText(ccd))) {
        const std::string lower = Lower(line);
        if (lower.starts_with("[track ")) {
            mode = -1;
        } else if (lower.starts_with("mode=")) {
            mode = std::atoi(line.c_str() + 5);
        } else if (lower.starts_with("index 1=") && mode > 0) {
            const int64_t lsn = std::atoll(line.c_str() + 8);
            if (lsn > 0)
                return {img, lsn * 2352, lsn, false};
            break;
        }
    }
    return {img, 0, 0, false};
}

}  // namespace

TDataTrack DataTrackOf(const std::string& image)
{
    const std::string lower = Lower(image);
    if (lower.ends_with(".cue"))
        return CueDataTrack(image);
    if (lower.ends_with(".nrg") || lower.ends_with(".toc"))
        return {image, 0, 0, true};
    if (!lower.ends_with(".ccd") && !lower.ends_with(".mds"))
        return {image, 0, 0, false};
    const std::string dir = DirectoryOf(image);
    const std::string stem = image.substr(dir.size(), image.size() - dir.size() - 4);
    if (lower.ends_with(".ccd"))
        return CloneCdDataTrack(image, InDirectory(dir, stem + ".img"));
    return {InDirectory(dir, stem + ".mdf"), 0, 0, false};
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
