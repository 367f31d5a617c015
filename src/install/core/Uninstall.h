#pragma once
// Removing an installation again: only what it wrote and what nobody changed since.

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "InstallStore.h"

namespace lumarc {

enum class TFileState { fsUnchanged, fsChanged, fsMissing };

// Whether the file is still as the installation wrote it (size and content hash).
TFileState StateOf(const TInstalledFile& file);

struct TUninstallStep {
    enum class TKind { ukRemoved, ukKeptChanged, ukMissing, ukRestored };
    TKind Kind;
    std::string Path;
};

// How a step is told, in German: "entfernt", "behalten (geändert)", "fehlt", "wiederhergestellt".
const char* StepWord(TUninstallStep::TKind kind);

// The entries of the catalogue with `catalogueId` that records hold.
std::set<int> InstalledEntries(const TInstallStore& store, const std::string& catalogueId);

// Removes the files of record `id` that are unchanged (into the trash where the trash can take
// them), keeps changed ones, puts back a file the installation replaced once the installed one
// is gone, removes the folders it created when they are empty, and forgets the record. A file
// or folder another record also wrote stays until that record goes too (a file this one replaced
// is put back in its place). False for an unknown id.
bool Uninstall(TInstallStore& store, int64_t id, std::vector<TUninstallStep>& steps);

}  // namespace lumarc
