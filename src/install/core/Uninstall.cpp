#include "Uninstall.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "FileHash.h"
#include "platform/FileCopy.h"
#include "platform/Trash.h"

namespace lumarc {

namespace {

bool RemoveFile(const std::string& path)
{
    if (TrashCanTake(path) && MoveToTrash(path))
        return true;
    return ::unlink(path.c_str()) == 0;
}

// The set-aside file goes back by a rename, or by a copy where it lies on another file system.
bool PutBack(const std::string& kept, const std::string& path)
{
    if (::rename(kept.c_str(), path.c_str()) == 0)
        return true;
    try {
        CopyFileSafely(kept, path);
    } catch (const std::exception&) {
        return false;
    }
    ::unlink(kept.c_str());
    return true;
}

// The place a replaced file was kept goes with its last file.
bool PutBackAndTidy(const std::string& kept, const std::string& path)
{
    const bool back = PutBack(kept, path);
    if (back)
        ::rmdir(std::filesystem::path(kept).parent_path().c_str());
    return back;
}

}  // namespace

TFileState StateOf(const TInstalledFile& file)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(file.Path, error))
        return TFileState::fsMissing;
    const auto size = std::filesystem::file_size(file.Path, error);
    if (error || static_cast<int64_t>(size) != file.Size)
        return TFileState::fsChanged;
    const std::optional<std::string> hash = FileHash(file.Path);
    return hash && *hash == file.Hash ? TFileState::fsUnchanged : TFileState::fsChanged;
}

bool Uninstall(TInstallStore& store, int64_t id, std::vector<TUninstallStep>& steps)
{
    const std::optional<TInstallRecord> record = store.Record(id);
    if (!record)
        return false;
    using TKind = TUninstallStep::TKind;
    for (auto file = record->Files.rbegin(); file != record->Files.rend(); ++file) {
        // Another installation wrote it too and still needs it: it stays, as it was before this one.
        if (store.OtherWrote(id, file->Path)) {
            if (!file->Kept.empty() && StateOf(*file) == TFileState::fsUnchanged && PutBackAndTidy(file->Kept, file->Path))
                steps.push_back({TKind::ukRestored, file->Path});
            continue;
        }
        switch (StateOf(*file)) {
        case TFileState::fsMissing:
            steps.push_back({TKind::ukMissing, file->Path});
            break;
        case TFileState::fsChanged:
            steps.push_back({TKind::ukKeptChanged, file->Path});
            break;
        case TFileState::fsUnchanged:
            if (!RemoveFile(file->Path)) {
                steps.push_back({TKind::ukKeptChanged, file->Path});
                break;
            }
            steps.push_back({TKind::ukRemoved, file->Path});
            if (!file->Kept.empty() && PutBackAndTidy(file->Kept, file->Path))
                steps.push_back({TKind::ukRestored, file->Path});
            break;
        }
    }
    // Deepest first; a folder that holds anything (a file of the user's, a changed one) stays.
    std::vector<std::string> folders = record->Folders;
    std::sort(folders.begin(), folders.end(),
              [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
    // A folder another installation still writes into passes to it, to go when that one goes.
    for (const std::string& folder : folders) {
        if (const int64_t other = store.OtherUsingFolder(id, folder))
            store.AddFolder(other, folder);
        else
            ::rmdir(folder.c_str());
    }
    store.Forget(id);
    return true;
}

const char* StepWord(TUninstallStep::TKind kind)
{
    switch (kind) {
    case TUninstallStep::TKind::ukRemoved:
        return "entfernt";
    case TUninstallStep::TKind::ukKeptChanged:
        return "behalten (geändert)";
    case TUninstallStep::TKind::ukMissing:
        return "fehlt";
    case TUninstallStep::TKind::ukRestored:
        return "wiederhergestellt";
    }
    return "";
}

std::set<int> InstalledEntries(const TInstallStore& store, const std::string& catalogueId)
{
    std::set<int> entries;
    for (const TInstallRecord& record : store.Records()) {
        if (record.CatalogueId == catalogueId)
            entries.insert(record.Entry);
    }
    return entries;
}

}  // namespace lumarc
