// lumarc-dunzip ZIP DEST: unpacks ZIP into DEST through libdunzip32.so as the installer does,
// overwriting without questions; for timing the library against other unpackers.

#include <cstdio>
#include <string>

#include "UnzipCommand.h"

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: lumarc-dunzip ZIP DEST\n");
        return 2;
    }
    std::string zip = argv[1], dest = argv[2], spec = "*.*";
    UnzipCommand command {};
    command.unzipStructSize = sizeof(UnzipCommand);
    command.function = UNZIP_EXTRACT;
    command.lpszZipFile = zip.data();
    command.lpszDestination = dest.data();
    command.lpszFileSpec = spec.data();
    command.overWriteFlag = 1;
    const int result = dunzip(&command);
    if (result != DZ_OK)
        std::fprintf(stderr, "lumarc-dunzip: result %d\n", result);
    return result == DZ_OK ? 0 : 1;
}
