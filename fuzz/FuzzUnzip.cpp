// Arbitrary bytes as a ZIP archive for the unzip library, every question answered "yes" so that
// as much as possible gets written. Whatever the archive holds, nothing may appear outside the
// destination, and nothing inside it may be a link.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "UnzipCommand.h"

namespace {

namespace fs = std::filesystem;

fs::path& WorkDir()
{
    static fs::path dir;
    return dir;
}

int Status(const char*, int32_t, void*)
{
    return 0;
}

int Answer(int32_t msgId, int32_t, int32_t p1, int32_t, char* text, char*, void*)
{
    if (msgId == DZ_MSG_TEXT) {
        std::snprintf(text, DZ_TEXT_BUFFER, "%s", p1 == 14 ? "Warnung" : "%s");
        return 1;
    }
    return msgId == DZ_MSG_QUESTION ? 6 : 1;
}

[[noreturn]] void Fail(const char* what, const fs::path& path)
{
    std::fprintf(stderr, "%s: %s\n", what, path.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    char pattern[] = "/tmp/fuzz-unzip-XXXXXX";
    if (!::mkdtemp(pattern))
        std::abort();
    WorkDir() = pattern;
    std::atexit([] {
        std::error_code ec;
        fs::remove_all(WorkDir(), ec);
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    const fs::path archive = WorkDir() / "archive.zip";
    const fs::path dest = WorkDir() / "dest";
    fs::remove_all(dest);
    fs::create_directory(dest);
    {
        std::ofstream out(archive, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes), static_cast<std::streamsize>(size));
    }
    std::string zip = archive.string(), target = dest.string(), spec = "*.*";
    UnzipCommand command {};
    command.unzipStructSize = sizeof(UnzipCommand);
    command.function = UNZIP_EXTRACT;
    command.lpszZipFile = zip.data();
    command.lpszDestination = target.data();
    command.lpszFileSpec = spec.data();
    command.lpMinorStatus = &Status;
    command.lpMessageDisplay = &Answer;
    dunzip(&command);

    for (const fs::directory_entry& entry : fs::directory_iterator(WorkDir())) {
        if (entry.path() != archive && entry.path() != dest)
            Fail("written outside the destination", entry.path());
    }
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(dest)) {
        if (entry.is_symlink())
            Fail("link in the destination", entry.path());
    }
    return 0;
}
