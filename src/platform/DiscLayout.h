#pragma once
// Where the file system of a disc image lies: which file holds the sectors, where in it the
// data track starts, and how a sector is stored there. A CD image is more than an ISO file: a
// ".cue" names the file of each track, and a disc may begin with audio (an enhanced CD) or
// store each sector raw, with its sync, header and subchannel around the 2048 data bytes.

#include <cstdint>
#include <string>

namespace lumarc {

struct TDataTrack {
    // The file that holds the sectors: the one a ".cue" or a cdrdao ".toc" names, the ".img" of
    // a CloneCD ".ccd", the ".mdf" of an Alcohol ".mds", else the image itself (a Nero ".nrg"
    // too). Empty when a descriptor names none.
    std::string File;
    // Bytes before the data track's first sector in File.
    int64_t Offset = 0;
    // The track's first sector as the disc counts it (after the audio before it); a file
    // system mastered for that place counts its sectors from there.
    int64_t Lsn = 0;
};

TDataTrack DataTrackOf(const std::string& image);

// How a sector of 2048 data bytes is stored: in frames of FrameSize bytes, the data DataStart
// bytes into each.
struct TSectorFraming {
    int FrameSize = 0;  // 0: no ISO 9660 volume descriptor found
    int DataStart = 0;
};

// The framing whose 16th sector after `offset` holds a volume descriptor: plain 2048-byte
// sectors, raw MODE1 or MODE2 sectors of 2352 bytes, MODE2 without sync and header (2336), and
// raw sectors followed by 96 bytes of subchannel (2448).
TSectorFraming FramingAt(int fd, int64_t offset);

}  // namespace lumarc
