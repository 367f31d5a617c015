// Arbitrary bytes as a disc image: the first byte chooses the form (an ISO image; the BIN of a
// BIN/CUE pair in mode 1 or mode 2, or with an audio track before the data; a Nero image; the
// descriptor and the data of an Alcohol image at once), the rest is the image. Every way the programs read a
// disc must survive them: the volume label, walking every folder and reading every file, and
// the catalogue found in the image read as lumarc-cli reads it.

#include <fcntl.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "cli/Commands.h"
#include "platform/Disc.h"

namespace {

std::filesystem::path& WorkDir()
{
    static std::filesystem::path dir;
    return dir;
}

void WriteFile(const std::filesystem::path& path, const void* bytes, size_t size)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(bytes), static_cast<std::streamsize>(size));
}

// Every folder below `dir`, every file read through. A damaged directory may loop back on
// itself: the programs never walk a disc, they list one folder at a time, so the walk stops
// after as many folders as a user could open one by one.
void Walk(const std::string& dir, int& folders)
{
    if (++folders > 64)
        return;
    char buffer[4096];
    for (const lumarc::TDirEntry& entry : lumarc::ListDiscFolder(dir)) {
        if (entry.Name == "." || entry.Name == "..")
            continue;
        const std::string path = dir + "/" + entry.Name;
        if (lumarc::DiscPathKind(path) == lumarc::TDiscPathKind::Directory) {
            Walk(path, folders);
        } else if (auto file = lumarc::OpenDiscFile(path)) {
            for (int64_t offset = 0; offset < file->Size() && offset < (1 << 20); offset += sizeof buffer) {
                if (file->ReadAt(offset, buffer, sizeof buffer) <= 0)
                    break;
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    const int devNull = ::open("/dev/null", O_WRONLY);
    ::dup2(devNull, STDOUT_FILENO);
    ::close(devNull);
    char pattern[] = "/tmp/fuzz-image-XXXXXX";
    if (!::mkdtemp(pattern))
        std::abort();
    WorkDir() = pattern;
    std::atexit([] {
        std::error_code ec;
        std::filesystem::remove_all(WorkDir(), ec);
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    if (size < 1)
        return 0;
    const int form = bytes[0] % 6;
    std::string image;
    if (form == 0 || form == 3) {
        image = (WorkDir() / (form == 0 ? "disc.iso" : "disc.nrg")).string();
        WriteFile(image, bytes + 1, size - 1);
    } else if (form == 4) {
        WriteFile(WorkDir() / "disc.mdf", bytes + 1, size - 1);
        image = (WorkDir() / "disc.mds").string();
        WriteFile(image, bytes + 1, size - 1);
    } else {
        WriteFile(WorkDir() / "disc.bin", bytes + 1, size - 1);
        const std::string cue = form == 5 ? std::string(
                                                "FILE \"disc.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
                                                "  TRACK 02 MODE1/2352\n    INDEX 01 00:00:02\n")
                                          : std::string("FILE \"disc.bin\" BINARY\n  TRACK 01 ") +
                                                (form == 1 ? "MODE1/2352" : "MODE2/2352") + "\n    INDEX 01 00:00:00\n";
        image = (WorkDir() / "disc.cue").string();
        WriteFile(image, cue.data(), cue.size());
    }
    lumarc::ImageVolumeLabel(image);
    int folders = 0;
    Walk(image, folders);
    lumarc::RunCheck(image);
    lumarc::RunDump(image);
    lumarc::RunShow(image, "0");
    return 0;
}
