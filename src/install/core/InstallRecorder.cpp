#include "InstallRecorder.h"

#include <unistd.h>

#include <filesystem>
#include <optional>
#include <system_error>
#include <utility>

#include "FileHash.h"
#include "Uninstall.h"
#include "platform/FileCopy.h"

namespace lumarc {

namespace {

namespace fs = std::filesystem;

// One spelling per path: the unzip library joins its destination and a member with a "/".
std::string Normal(const std::string& path)
{
    std::string normal = fs::path(path).lexically_normal().string();
    while (normal.size() > 1 && normal.back() == '/')
        normal.pop_back();
    return normal;
}

// A hard link where it can, else a copy; empty when neither works.
std::string Keep(const std::string& file, const fs::path& dir)
{
    std::error_code error;
    fs::create_directories(dir, error);
    const std::string name = fs::path(file).filename().string();
    fs::path kept = dir / name;
    for (int n = 2; fs::exists(fs::symlink_status(kept, error)); ++n)
        kept = dir / (name + "." + std::to_string(n));
    if (::link(file.c_str(), kept.c_str()) == 0)
        return kept.string();
    try {
        CopyFileSafely(file, kept.string());
    } catch (const std::exception&) {
        return {};
    }
    return kept.string();
}

}  // namespace

TInstallRecorder::TInstallRecorder(TInstallStore& store, TInstallRecord header)
    : FStore(store), FHeader(std::move(header))
{
}

void TInstallRecorder::FolderMade(const std::string& path)
{
    const std::string folder = Normal(path);
    if (FId != 0)
        FStore.AddFolder(FId, folder);
    else
        FPendingFolders.push_back(folder);
}

void TInstallRecorder::Replacing(const std::string& given)
{
    const std::string path = Normal(given);
    // Only a plain file is kept: a device (the copy of /dev/zero would never end) or a link is no
    // content of the user's to bring back.
    std::error_code error;
    if (!fs::is_regular_file(fs::symlink_status(path, error)))
        return;
    const std::optional<TInstalledFile> earlier = FStore.NewestFileAt(path);
    if (earlier && StateOf(*earlier) == TFileState::fsUnchanged)
        return;
    // Kept per installation, under a number of its own even before the record has one.
    static int s_unrecorded = 0;
    const std::string slot =
        FId != 0 ? std::to_string(FId) : "neu-" + std::to_string(::getpid()) + "-" + std::to_string(++s_unrecorded);
    const std::string kept = Keep(path, fs::path(TInstallStore::KeptDir(FStore.Path())) / slot);
    if (!kept.empty())
        FKept[path] = kept;
}

void TInstallRecorder::Written(const std::string& given)
{
    const std::string path = Normal(given);
    if (FId == 0 && FStore.Usable()) {
        FId = FStore.Begin(FHeader);
        for (const std::string& folder : FPendingFolders)
            FStore.AddFolder(FId, folder);
        FPendingFolders.clear();
    }
    std::error_code error;
    const auto size = fs::file_size(path, error);
    const auto kept = FKept.find(path);
    FStore.AddFile(FId, {path, error ? 0 : static_cast<int64_t>(size), FileHash(path).value_or(""),
                         kept == FKept.end() ? std::string() : kept->second});
}

void TInstallRecorder::NotWritten(const std::string& given)
{
    const std::string path = Normal(given);
    const auto kept = FKept.find(path);
    if (kept == FKept.end())
        return;
    ::unlink(kept->second.c_str());
    FKept.erase(kept);
}

}  // namespace lumarc
