#pragma once
// The disc as the program reads it: a directory (a mounted CD, a copy of it on the disk) or a
// disc image read in place (an ISO 9660 ".iso", plain or with Joliet or Rock Ridge; the ".bin"
// of a BIN/CUE pair, also reached through its ".cue"; CloneCD, Alcohol, Nero and cdrdao images). A path may lead into an image:
// "/home/anna/tooldisc.iso/DATA/LUMARC32.DAT". The catalogue lookup, the install dialog's lists,
// the copy and the unpacking all read through here, so none of them knows whether the disc is
// an image. Names inside an image are matched without regard to case, and an ISO version
// suffix (";1") and the dot of a name without extension ("README.") are not part of a name.

#include <cstdint>
#include <ctime>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "DirectoryScan.h"

namespace lumarc {

// A path split at the image it leads into: Inner is '/'-separated, without a leading '/', and
// empty for the image's root.
struct TImagePath {
    std::string Image;
    std::string Inner;
};

// Whether `file` is a regular file named like a disc image (".iso", ".cue", ".bin", ".nrg",
// ".toc", and the descriptors ".ccd" and ".mds" of the raw ".img" and ".mdf" beside them; any
// case), or one that holds an ISO 9660 file system whatever its name (".img", ".mdf"), in
// sectors of 2048, 2352, 2336 or 2448 bytes.
bool IsDiscImageFile(const std::string& file);
// Empty when the image can be read; else what is wrong with it, in German, as a sentence: the
// data file a ".cue" names is missing, or the file system cannot be read and why.
std::string ImageProblem(const std::string& image);
// The image a path leads into, or nothing for a path on the host's file system. An ".iso" or
// ".cue" path on its own is the image's root; a ".bin" only when the path goes on into it, as
// a component's ".bin" file is no disc.
std::optional<TImagePath> SplitImagePath(const std::string& path);

// One file, for positional reads, wherever it lies.
class TDiscFile {
public:
    virtual ~TDiscFile() = default;
    virtual int64_t Size() const = 0;
    virtual std::time_t ModificationTime() const = 0;
    // Up to `count` bytes from `offset`; fewer at the end; -1 with errno set on failure.
    virtual int64_t ReadAt(int64_t offset, void* buffer, int64_t count) = 0;
};

// Nothing when the file cannot be opened; errno tells why (ENOENT, EISDIR, EIO for an image
// that cannot be read). An image file itself opens as the host file it is.
std::unique_ptr<TDiscFile> OpenDiscFile(const std::string& path);

enum class TDiscPathKind { None, File, Directory };
TDiscPathKind DiscPathKind(const std::string& path);

// The entries of a directory as ReadDirectory gives them: "." and ".." included (not at an
// image's root, which is a disc's root), files in an image read-only and archive.
std::vector<TDirEntry> ListDiscFolder(const std::string& dir);

// The entry of `dir` whose name matches `name` as names on a disc match: without regard to
// ASCII case, ";1" and a final "." ignored. The name as the directory lists it.
std::optional<std::string> FindDiscEntry(const std::string& dir, const std::string& name);

// The volume label of the image, without trailing blanks; empty when it has none or cannot be
// read.
std::string ImageVolumeLabel(const std::string& image);

}  // namespace lumarc
