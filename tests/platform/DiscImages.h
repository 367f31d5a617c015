#pragma once
// Disc images for the tests: ISO 9660 images mastered by xorriso from a directory, in the plain,
// Joliet and Rock Ridge forms, and BIN/CUE pairs made from an ISO as a CD ripper writes them:
// raw 2352-byte sectors with sync, header and (for MODE2) subheader around each 2048-byte block.

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace lumarc::test {

enum class TIsoForm { Plain, Joliet, RockRidge };

inline bool HaveXorriso()
{
    return std::system("command -v xorriso >/dev/null 2>&1") == 0;
}

inline void MakeIso(const std::string& dir, const std::string& iso, TIsoForm form, const std::string& label = "TOOLDISC.CD")
{
    const char* extension = form == TIsoForm::Joliet ? " -J" : form == TIsoForm::RockRidge ? " -R" : "";
    const std::string command = "xorriso -as mkisofs -quiet -V '" + label + "'" + extension + " -o '" + iso + "' '" + dir +
                                "' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0)
        throw std::runtime_error("xorriso failed: " + command);
}

// `cue` names `bin` (as `named`, when given); mode 1 or 2 (form 1 data), in raw sectors of 2352
// bytes, or for mode 2 of 2336 (the subheader and data alone).
inline void MakeBinCue(const std::string& iso, const std::string& bin, const std::string& cue, int mode,
                       int sectorSize = 2352, const std::string& named = "")
{
    std::ifstream in(iso, std::ios::binary);
    const std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::ofstream out(bin, std::ios::binary | std::ios::trunc);
    auto bcd = [](int n) { return static_cast<char>(((n / 10) << 4) | (n % 10)); };
    for (size_t block = 0; block * 2048 < data.size(); ++block) {
        std::string sector;
        if (sectorSize == 2336) {
            sector = std::string("\0\0\x08\0\0\0\x08\0", 8) + data.substr(block * 2048, 2048);
            sector.resize(2336, '\0');
            out << sector;
            continue;
        }
        sector += '\0';
        sector += std::string(10, '\xFF');
        sector += '\0';
        const int lba = static_cast<int>(block) + 150;
        sector += bcd(lba / (75 * 60));
        sector += bcd((lba / 75) % 60);
        sector += bcd(lba % 75);
        sector += static_cast<char>(mode);
        if (mode == 2)
            sector += std::string("\0\0\x08\0\0\0\x08\0", 8);
        sector += data.substr(block * 2048, 2048);
        sector.resize(2352, '\0');  // error detection and correction bytes left empty
        out << sector;
    }
    const size_t slash = bin.rfind('/');
    const std::string name = !named.empty() ? named : slash == std::string::npos ? bin : bin.substr(slash + 1);
    std::ofstream(cue) << "FILE \"" << name << "\" BINARY\n"
                       << "  TRACK 01 MODE" << mode << "/" << sectorSize << "\n    INDEX 01 00:00:00\n";
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
