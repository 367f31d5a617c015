#pragma once
// One installation as it happens, told file by file by whoever writes (the install dialog's
// copy and unpack, lumarc-cli install): its record begins with the first file written, so an
// installation that writes nothing leaves none.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "InstallStore.h"

namespace lumarc {

class TInstallRecorder {
public:
    // `header` holds everything but the files and folders.
    TInstallRecorder(TInstallStore& store, TInstallRecord header);

    void FolderMade(const std::string& path);
    // Before `path` is replaced, while the old file is still there: the old one is kept (a hard
    // link, or a copy across file systems) to come back when the installation is removed,
    // unless it is what an earlier installation wrote and nobody changed.
    void Replacing(const std::string& path);
    void Written(const std::string& path);
    // The write of `path` failed: the old file is still in place, its kept copy goes.
    void NotWritten(const std::string& path);

    // 0 until a file was written, or when nothing can be recorded.
    int64_t Id() const { return FId; }

private:
    TInstallStore& FStore;
    TInstallRecord FHeader;
    int64_t FId = 0;
    std::vector<std::string> FPendingFolders;
    std::map<std::string, std::string> FKept;
};

}  // namespace lumarc
