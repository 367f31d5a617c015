#include "ArchiveCopy.h"

#include <stdlib.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "Disc.h"
#include "Exception.h"
#include "FileCopy.h"
#include "SystemErrors.h"

namespace lumarc {

TArchiveCopy::TArchiveCopy(const std::string& archive) : FPath(archive)
{
    if (!SplitImagePath(archive))
        return;
    std::string dir = (std::filesystem::temp_directory_path() / "lumarc-archive-XXXXXX").string();
    if (!::mkdtemp(dir.data())) {
        FError = SystemErrorText(errno);
        return;
    }
    FDir = dir;
    FPath = dir + "/" + std::filesystem::path(archive).filename().string();
    try {
        CopyFileSafely(archive, FPath);
    } catch (const Exception& e) {
        FError = e.Message();
    }
}

TArchiveCopy::~TArchiveCopy()
{
    if (!FDir.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(FDir, ignored);
    }
}

}  // namespace lumarc
