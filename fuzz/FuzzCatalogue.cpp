// Arbitrary bytes as a catalogue: the first two bytes give the length of the index file, the
// rest after it is the data file. Every way the tools and the viewer read a catalogue must
// survive them: the checker on memory streams, and open, outline, every record, dump and
// order form through real files as lumarc-cli reads them.

#include <fcntl.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "catalogue/CatalogueChecker.h"
#include "catalogue/MemoryStream.h"
#include "cli/Commands.h"

namespace {

std::filesystem::path& WorkDir()
{
    static std::filesystem::path dir;
    return dir;
}

void WriteFile(const std::filesystem::path& path, const uint8_t* bytes, size_t size)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes), static_cast<std::streamsize>(size));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // The dump's JSON would drown the fuzzer's own report, which goes to stderr.
    const int devNull = ::open("/dev/null", O_WRONLY);
    ::dup2(devNull, STDOUT_FILENO);
    ::close(devNull);
    char pattern[] = "/tmp/fuzz-catalogue-XXXXXX";
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
    if (size < 2)
        return 0;
    const size_t indexSize = (bytes[0] | (bytes[1] << 8)) % (size - 1);
    const uint8_t* index = bytes + 2;
    const uint8_t* data = index + indexSize;
    const size_t dataSize = size - 2 - indexSize;

    {
        lumarc::TMemoryStream dataStream, indexStream;
        dataStream.Write(data, static_cast<int64_t>(dataSize));
        indexStream.Write(index, static_cast<int64_t>(indexSize));
        lumarc::TCatalogueChecker::Check(dataStream, indexStream);
    }

    WriteFile(WorkDir() / "Lumarc32.idx", index, indexSize);
    WriteFile(WorkDir() / "Lumarc32.dat", data, dataSize);
    const std::string dir = WorkDir().string();
    lumarc::RunCheck(dir);
    lumarc::RunDump(dir);
    lumarc::RunOrderForm(dir);
    lumarc::RunShow(dir, "0");
    return 0;
}
