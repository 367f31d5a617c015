#include "InstallStore.h"

#include <sqlite3.h>

#include <filesystem>
#include <iostream>
#include <memory>
#include <system_error>
#include <utility>

#include "SqliteStatement.h"
#include "platform/LocalTime.h"
#include "platform/UserDirs.h"

namespace lumarc {

namespace {

constexpr int kBusyMilliseconds = 5000;

const char* const kSchema =
    "CREATE TABLE IF NOT EXISTS installs(id INTEGER PRIMARY KEY AUTOINCREMENT, installed_at TEXT NOT NULL,"
    " disc_label TEXT NOT NULL, catalogue TEXT NOT NULL, catalogue_id TEXT NOT NULL, entry INTEGER NOT NULL,"
    " component TEXT NOT NULL, destination TEXT NOT NULL);"
    "CREATE TABLE IF NOT EXISTS files(install_id INTEGER NOT NULL REFERENCES installs(id) ON DELETE CASCADE,"
    " seq INTEGER NOT NULL, path TEXT NOT NULL, size INTEGER NOT NULL, hash TEXT NOT NULL, kept TEXT NOT NULL,"
    " PRIMARY KEY(install_id, seq));"
    "CREATE TABLE IF NOT EXISTS folders(install_id INTEGER NOT NULL REFERENCES installs(id) ON DELETE CASCADE,"
    " seq INTEGER NOT NULL, path TEXT NOT NULL, PRIMARY KEY(install_id, seq));"
    "CREATE INDEX IF NOT EXISTS files_by_path ON files(path);"
    // The library: the catalogues the user opened or added, each with the places it was found.
    "CREATE TABLE IF NOT EXISTS catalogues(id INTEGER PRIMARY KEY AUTOINCREMENT, identity TEXT NOT NULL UNIQUE,"
    " label TEXT, title TEXT NOT NULL, entries INTEGER NOT NULL, last_opened TEXT);"
    "CREATE TABLE IF NOT EXISTS places(catalogue_id INTEGER NOT NULL REFERENCES catalogues(id) ON DELETE CASCADE,"
    " path TEXT NOT NULL UNIQUE, seq INTEGER NOT NULL);";

// Why SQLite could not write, in the words of the program.
std::string Reason(sqlite3* db)
{
    switch (sqlite3_errcode(db) & 0xff) {
    case SQLITE_FULL:
        return "der Datenträger ist voll";
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return "die Liste ist von einem anderen Programm gesperrt";
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_CANTOPEN:
        return "Zugriff verweigert";
    default:
        return "die Liste kann nicht geschrieben werden";
    }
}

}  // namespace

std::string TInstallStore::DefaultPath()
{
    return (std::filesystem::path(DataHome()) / "Brimvale" / "Lumarc32" / "lumarc.sqlite").string();
}

std::string TInstallStore::KeptDir(const std::string& storePath)
{
    return (std::filesystem::path(storePath).parent_path() / "ersetzt").string();
}

TInstallStore::TInstallStore(std::string path, TReport report) : FPath(std::move(path)), FReport(std::move(report))
{
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(FPath).parent_path(), ignored);
    if (Open())
        return;
    // Damaged or no database at all: kept aside for whoever wants to look, and begun anew.
    std::filesystem::rename(FPath, FPath + ".bak", ignored);
    for (const char* suffix : {"-wal", "-shm"})
        std::filesystem::remove(FPath + suffix, ignored);
    const bool fresh = Open();
    Failed(fresh ? "Die Installationsliste " + FPath + " war beschädigt; sie liegt jetzt in " + FPath +
                       ".bak, eine neue ist angelegt."
                 : "Die Installationsliste " + FPath + " kann nicht geöffnet werden; Installationen werden nicht "
                   "verzeichnet.");
}

TInstallStore::~TInstallStore()
{
    sqlite3_close(FDb);
}

bool TInstallStore::Open()
{
    sqlite3_close(FDb);
    FDb = nullptr;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(FPath.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX,
                        nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return false;
    }
    FDb = db;
    sqlite3_busy_timeout(FDb, kBusyMilliseconds);
    bool healthy = false;
    {
        // Finished before the journal mode changes: an open statement holds a read transaction.
        TStatement check(FDb, "PRAGMA quick_check");
        healthy = check.Ok() && check.Step() == SQLITE_ROW && check.Text(0) == "ok";
    }
    if (!healthy || !Exec("PRAGMA journal_mode=WAL") || !Exec("PRAGMA foreign_keys=ON") || !Exec(kSchema)) {
        sqlite3_close(FDb);
        FDb = nullptr;
        return false;
    }
    return true;
}

bool TInstallStore::Exec(const char* sql) const
{
    return FDb && sqlite3_exec(FDb, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

void TInstallStore::Failed(const std::string& what) const
{
    if (FReport)
        FReport(what);
    else
        std::cerr << "lumarc: " << what << '\n';
}

int64_t TInstallStore::Begin(const TInstallRecord& record)
{
    TStatement insert(FDb,
                      "INSERT INTO installs(installed_at, disc_label, catalogue, catalogue_id, entry, component,"
                      " destination) VALUES(?, ?, ?, ?, ?, ?, ?)");
    if (!insert.Ok())
        return 0;
    insert.Bind(1, record.When.empty() ? LocalNowIso() : record.When)
        .Bind(2, record.DiscLabel)
        .Bind(3, record.Catalogue)
        .Bind(4, record.CatalogueId)
        .Bind(5, static_cast<int64_t>(record.Entry))
        .Bind(6, record.Component)
        .Bind(7, record.Destination);
    if (insert.Step() != SQLITE_DONE) {
        Failed("Die Installation kann nicht verzeichnet werden: " + Reason(FDb) + ".");
        return 0;
    }
    return sqlite3_last_insert_rowid(FDb);
}

void TInstallStore::AddFile(int64_t id, const TInstalledFile& file)
{
    TStatement insert(FDb,
                      "INSERT INTO files(install_id, seq, path, size, hash, kept) VALUES(?,"
                      " (SELECT COUNT(*) FROM files WHERE install_id = ?1), ?, ?, ?, ?)");
    if (id == 0 || !insert.Ok())
        return;
    insert.Bind(1, id).Bind(2, file.Path).Bind(3, file.Size).Bind(4, file.Hash).Bind(5, file.Kept);
    if (insert.Step() != SQLITE_DONE)
        Failed("Die Installation kann nicht vollständig verzeichnet werden: " + Reason(FDb) + ".");
}

void TInstallStore::AddFolder(int64_t id, const std::string& folder)
{
    TStatement insert(FDb,
                      "INSERT INTO folders(install_id, seq, path) VALUES(?,"
                      " (SELECT COUNT(*) FROM folders WHERE install_id = ?1), ?)");
    if (id == 0 || !insert.Ok())
        return;
    insert.Bind(1, id).Bind(2, folder);
    if (insert.Step() != SQLITE_DONE)
        Failed("Die Installation kann nicht vollständig verzeichnet werden: " + Reason(FDb) + ".");
}

void TInstallStore::Forget(int64_t id)
{
    TStatement remove(FDb, "DELETE FROM installs WHERE id = ?");
    if (remove.Ok())
        remove.Bind(1, id).Step();
}

std::vector<TInstallRecord> TInstallStore::Records() const
{
    std::vector<TInstallRecord> records;
    TStatement ids(FDb, "SELECT id FROM installs ORDER BY installed_at DESC, id DESC");
    while (ids.Ok() && ids.Step() == SQLITE_ROW)
        if (std::optional<TInstallRecord> record = Record(ids.Int(0)))
            records.push_back(std::move(*record));
    return records;
}

std::optional<TInstallRecord> TInstallStore::Record(int64_t id) const
{
    TStatement head(FDb,
                    "SELECT installed_at, disc_label, catalogue, catalogue_id, entry, component, destination"
                    " FROM installs WHERE id = ?");
    if (!head.Ok() || head.Bind(1, id).Step() != SQLITE_ROW)
        return std::nullopt;
    TInstallRecord record;
    record.Id = id;
    record.When = head.Text(0);
    record.DiscLabel = head.Text(1);
    record.Catalogue = head.Text(2);
    record.CatalogueId = head.Text(3);
    record.Entry = static_cast<int>(head.Int(4));
    record.Component = head.Text(5);
    record.Destination = head.Text(6);
    TStatement files(FDb, "SELECT path, size, hash, kept FROM files WHERE install_id = ? ORDER BY seq");
    files.Bind(1, id);
    while (files.Step() == SQLITE_ROW)
        record.Files.push_back({files.Text(0), files.Int(1), files.Text(2), files.Text(3)});
    TStatement folders(FDb, "SELECT path FROM folders WHERE install_id = ? ORDER BY seq");
    folders.Bind(1, id);
    while (folders.Step() == SQLITE_ROW)
        record.Folders.push_back(folders.Text(0));
    return record;
}

bool TInstallStore::OtherWrote(int64_t id, const std::string& path) const
{
    TStatement query(FDb, "SELECT 1 FROM files WHERE path = ? AND install_id <> ? LIMIT 1");
    return query.Ok() && query.Bind(1, path).Bind(2, id).Step() == SQLITE_ROW;
}

int64_t TInstallStore::OtherUsingFolder(int64_t id, const std::string& folder) const
{
    TStatement query(FDb,
                     "SELECT MAX(install_id) FROM (SELECT install_id FROM files WHERE install_id <> ?1 AND"
                     " substr(path, 1, length(?2) + 1) = ?2 || '/' UNION SELECT install_id FROM folders WHERE"
                     " install_id <> ?1 AND (path = ?2 OR substr(path, 1, length(?2) + 1) = ?2 || '/'))");
    if (!query.Ok() || query.Bind(1, id).Bind(2, folder).Step() != SQLITE_ROW)
        return 0;
    return query.Int(0);
}

std::optional<TInstalledFile> TInstallStore::NewestFileAt(const std::string& path) const
{
    TStatement query(FDb, "SELECT path, size, hash, kept FROM files WHERE path = ? ORDER BY install_id DESC LIMIT 1");
    if (!query.Ok() || query.Bind(1, path).Step() != SQLITE_ROW)
        return std::nullopt;
    return TInstalledFile{query.Text(0), query.Int(1), query.Text(2), query.Text(3)};
}

}  // namespace lumarc
