#pragma once
// What was installed from which disc, kept in one SQLite database that the viewer and
// lumarc-cli share: for each installation the files it wrote (size and content hash, and where a
// file it replaced was set aside) and the folders it created, so that it can be removed again.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

struct sqlite3;

namespace lumarc {

struct TInstalledFile {
    std::string Path;  // absolute, UTF-8
    int64_t Size = 0;
    std::string Hash;  // FileHash of the file as written
    std::string Kept;  // where the file it replaced was set aside; empty when it replaced none
};

struct TInstallRecord {
    int64_t Id = 0;
    std::string When;  // local time, ISO 8601
    std::string DiscLabel;
    std::string Catalogue;    // the catalogue's path as given
    std::string CatalogueId;  // shared by every copy or image of the same disc
    int Entry = 0;
    std::string Component;    // long name, or the short text's caption (UTF-8)
    std::string Destination;
    std::vector<TInstalledFile> Files;
    std::vector<std::string> Folders;  // created by the installation, in the order made
};

class TInstallStore {
public:
    using TReport = std::function<void(const std::string& message)>;

    // $XDG_DATA_HOME/Brimvale/Lumarc32/lumarc.sqlite
    static std::string DefaultPath();
    // Where a file an installation replaces is set aside.
    static std::string KeptDir(const std::string& storePath);

    // Opens or makes the database. One that cannot be opened or is damaged is moved aside to
    // PATH.bak and a fresh one made; `report` hears of it once. Without any database the store
    // records nothing and installing goes on.
    explicit TInstallStore(std::string path = DefaultPath(), TReport report = {});
    ~TInstallStore();
    TInstallStore(const TInstallStore&) = delete;
    TInstallStore& operator=(const TInstallStore&) = delete;

    bool Usable() const { return FDb != nullptr; }
    // The open database, for the library kept in it; null when there is none.
    sqlite3* Handle() const { return FDb; }
    const std::string& Path() const { return FPath; }

    // A new record with the header fields of `record` (its files and folders are added one by
    // one); 0 when nothing can be recorded.
    int64_t Begin(const TInstallRecord& record);
    // Each in a transaction of its own, so a crash loses at most the file being written.
    void AddFile(int64_t id, const TInstalledFile& file);
    void AddFolder(int64_t id, const std::string& folder);
    void Forget(int64_t id);

    // Newest first.
    std::vector<TInstallRecord> Records() const;
    std::optional<TInstallRecord> Record(int64_t id) const;
    // Whether a record other than `id` wrote `path`.
    bool OtherWrote(int64_t id, const std::string& path) const;
    // The newest record other than `id` that wrote below the folder or made it; 0 for none.
    int64_t OtherUsingFolder(int64_t id, const std::string& folder) const;
    // The file at `path` as the newest record that wrote it recorded it.
    std::optional<TInstalledFile> NewestFileAt(const std::string& path) const;

private:
    bool Open();
    bool Exec(const char* sql) const;
    void Failed(const std::string& what) const;

    std::string FPath;
    TReport FReport;
    sqlite3* FDb = nullptr;
};

}  // namespace lumarc
