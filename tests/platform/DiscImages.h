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

}  // namespace lumarc::test
