#pragma once
// Disc images for the tests: ISO 9660 images mastered by xorriso from a directory, in the plain,
// Joliet and Rock Ridge forms, BIN/CUE pairs made from an ISO as a CD ripper writes them (raw
// sectors with sync, header and, for MODE2, subheader around each 2048-byte block), and Nero
// images.

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

namespace lumarc::test {

enum class TIsoForm { Plain, Joliet, RockRidge };

inline bool HaveXorriso()
{
    return std::system("command -v xorriso >/dev/null 2>&1") == 0;
}

// `options` go to xorriso as they are: "-C 0,450" masters for a place after 450 sectors of audio.
inline void MakeIso(const std::string& dir, const std::string& iso, TIsoForm form,
                    const std::string& label = "TOOLDISC.CD", const std::string& options = "")
{
    const char* extension = form == TIsoForm::Joliet ? " -J" : form == TIsoForm::RockRidge ? " -R" : "";
    const std::string command = "xorriso -as mkisofs -quiet -V '" + label + "'" + extension + " " + options + " -o '" +
                                iso + "' '" + dir + "' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0)
        throw std::runtime_error("xorriso failed: " + command);
}

// The blocks of `data` as raw CD sectors of mode 1 or 2 (form 1 data) from the disc's sector
// `first`: 2352 bytes with sync and header, 2448 with 96 bytes of subchannel after them, or for
// mode 2 of 2336 (the subheader and data alone).
inline std::string RawSectors(const std::string& data, int mode, int sectorSize = 2352, int first = 0)
{
    auto bcd = [](int n) { return static_cast<char>(((n / 10) << 4) | (n % 10)); };
    std::string out;
    for (size_t block = 0; block * 2048 < data.size(); ++block) {
        std::string sector;
        if (sectorSize == 2336) {
            sector = std::string("\0\0\x08\0\0\0\x08\0", 8) + data.substr(block * 2048, 2048);
            sector.resize(2336, '\0');
            out += sector;
            continue;
        }
        sector += '\0';
        sector += std::string(10, '\xFF');
        sector += '\0';
        const int lba = static_cast<int>(block) + first + 150;
        sector += bcd(lba / (75 * 60));
        sector += bcd((lba / 75) % 60);
        sector += bcd(lba % 75);
        sector += static_cast<char>(mode);
        if (mode == 2)
            sector += std::string("\0\0\x08\0\0\0\x08\0", 8);
        sector += data.substr(block * 2048, 2048);
        sector.resize(static_cast<size_t>(sectorSize), '\0');  // error correction and subchannel left empty
        out += sector;
    }
    return out;
}

inline std::string ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// `cue` names `bin` (as `named`, when given); mode 1 or 2 (form 1 data), in raw sectors of 2352
// bytes, or for mode 2 of 2336 (the subheader and data alone).
inline void MakeBinCue(const std::string& iso, const std::string& bin, const std::string& cue, int mode,
                       int sectorSize = 2352, const std::string& named = "")
{
    std::ofstream(bin, std::ios::binary | std::ios::trunc) << RawSectors(ReadFileBytes(iso), mode, sectorSize);
    const size_t slash = bin.rfind('/');
    const std::string name = !named.empty() ? named : slash == std::string::npos ? bin : bin.substr(slash + 1);
    std::ofstream(cue) << "FILE \"" << name << "\" BINARY\n"
                       << "  TRACK 01 MODE" << mode << "/" << sectorSize << "\n    INDEX 01 00:00:00\n";
}

// A Nero image of the tracks given (their bytes, Nero's mode number, their first sector), as a
// track-at-once writer stores them: the tracks, then an ETN2 chunk, or with `discAtOnce` a
// DAOX chunk, and the footer that points to the chunks.
inline std::string NeroImage(const std::vector<std::tuple<std::string, uint32_t, uint32_t>>& tracks, bool discAtOnce)
{
    auto be = [](uint64_t v, int bytes) {
        std::string out;
        for (int i = bytes - 1; i >= 0; --i)
            out += static_cast<char>(v >> (8 * i));
        return out;
    };
    std::string body, list;
    for (const auto& [bytes, mode, lsn] : tracks) {
        if (discAtOnce)
            list += std::string(12, '\0') + be(mode == 7 ? 2352 : 2048, 2) + be(mode, 2) + be(1, 2) +
                    be(body.size(), 8) + be(body.size(), 8) + be(body.size() + bytes.size(), 8);
        else
            list += be(body.size(), 8) + be(bytes.size(), 8) + be(mode, 4) + be(lsn, 4) + be(0, 8);
        body += bytes;
    }
    if (discAtOnce)
        list = be(22 + list.size(), 4) + std::string(14, '\0') + be(0, 2) + be(1, 1) + be(tracks.size(), 1) + list;
    const uint64_t chunks = body.size();
    body += (discAtOnce ? "DAOX" : "ETN2") + be(list.size(), 4) + list;
    body += "SINF" + be(4, 4) + be(tracks.size(), 4) + "END!" + be(0, 4);
    return body + "NER5" + be(chunks, 8);
}

// Rewrites the directory record of the file `isoName` ("KALENDER.ZIP;1") in the image's bytes
// into `pieces` records for consecutive extents, as a mastering tool stores a file in several
// extents: every record but the last flagged as continued, each piece but the last a whole
// number of sectors. The directory's sector must have room for the new records.
inline void SplitIntoExtents(std::string& iso, const std::string& isoName, int pieces)
{
    const std::string key = std::string(1, static_cast<char>(isoName.size())) + isoName;
    const size_t found = iso.find(key);
    if (found == std::string::npos || found < 32)
        throw std::runtime_error("no record " + isoName);
    const size_t start = found - 32;
    const size_t length = static_cast<unsigned char>(iso[start]);
    auto get = [&](size_t at) {
        uint32_t v = 0;
        for (int i = 3; i >= 0; --i)
            v = v << 8 | static_cast<unsigned char>(iso[at + i]);
        return v;
    };
    auto both = [](std::string& record, size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            record[at + i] = static_cast<char>(v >> (8 * i));
            record[at + 7 - i] = static_cast<char>(v >> (8 * i));
        }
    };
    const uint32_t lba = get(start + 2), size = get(start + 10);
    const uint32_t piece = size / pieces / 2048 * 2048;
    if (piece == 0)
        throw std::runtime_error("file too small to split: " + isoName);
    const std::string original = iso.substr(start, length);
    std::string records;
    for (int k = 0; k < pieces; ++k) {
        std::string record = original;
        both(record, 2, lba + static_cast<uint32_t>(k) * (piece / 2048));
        both(record, 10, k + 1 < pieces ? piece : size - piece * static_cast<uint32_t>(pieces - 1));
        if (k + 1 < pieces)
            record[25] = static_cast<char>(record[25] | 0x80);
        records += record;
    }
    const size_t sectorEnd = (start / 2048 + 1) * 2048;
    const size_t grow = records.size() - length;
    if (iso.find_first_not_of('\0', sectorEnd - grow) < sectorEnd)
        throw std::runtime_error("no room in the directory for the records of " + isoName);
    iso.replace(start, length, records);
    iso.erase(sectorEnd, grow);
}

}  // namespace lumarc::test
