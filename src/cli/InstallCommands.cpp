#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include <nlohmann/json.hpp>

#include "Commands.h"
#include "OpenCatalogue.h"
#include "catalogue/CompoText.h"
#include "catalogue/RecordRef.h"
#include "catalogue/ShortText.h"
#include "install/core/ArchiveMembers.h"
#include "install/core/DiscIdentity.h"
#include "install/core/DunzipLibrary.h"
#include "install/core/InstallRecorder.h"
#include "install/core/InstallStore.h"
#include "install/core/Uninstall.h"
#include "install/core/UnzipFile.h"
#include "platform/CodePage.h"
#include "platform/ArchiveCopy.h"
#include "platform/Disc.h"
#include "platform/Exception.h"
#include "platform/FileCopy.h"
#include "platform/SystemErrors.h"
#include "settings/core/DiscRoutines.h"
#include "settings/core/InstallSource.h"

namespace lumarc {

namespace {

namespace fs = std::filesystem;

// What an entry installs: the file it names on the disc, and what the record calls it.
struct TEntryFile {
    std::string WindowsPath;  // CP1252, as stored
    std::string Component;    // UTF-8
};

// The component's file, or a short text's file line; nothing for an entry of another kind.
std::optional<TEntryFile> EntryFile(TOpenCatalogue& opened, int entry)
{
    const int32_t ref = opened.TreeData.Texts.Objects(entry);
    if (RecordKindOf(ref) == TRecordKind::rkComponent) {
        TCompoText compo;
        opened.Container.ReadRecord(compo, RecordOffsetOf(ref));
        return TEntryFile{compo.FileName, Cp1252ToUtf8(compo.LongName)};
    }
    if (RecordKindOf(ref) == TRecordKind::rkShort) {
        TShortText text;
        opened.Container.ReadRecord(text, RecordOffsetOf(ref));
        if (text.Lines.Empty())
            return std::nullopt;
        std::string caption = Cp1252ToUtf8(std::string(opened.TreeData.Texts[entry]));
        while (!caption.empty() && caption.back() == ' ')
            caption.pop_back();
        return TEntryFile{text.Lines[0], caption};
    }
    return std::nullopt;
}

// Makes `dir` with its missing levels; the ones made, outermost first.
std::vector<std::string> MakeFolders(const fs::path& dir)
{
    std::vector<fs::path> missing;
    for (fs::path at = dir; !at.empty() && !fs::exists(at); at = at.parent_path()) {
        missing.push_back(at);
        if (at == at.parent_path())
            break;
    }
    std::vector<std::string> made;
    for (auto level = missing.rbegin(); level != missing.rend(); ++level) {
        if (::mkdir(level->c_str(), 0777) != 0)
            throw EInOutError("Der Ordner " + level->string() + " kann nicht angelegt werden: " +
                              SystemErrorText(errno) + ".");
        made.push_back(level->string());
    }
    return made;
}

// Without --overwrite nothing is replaced: a file in the way ends the command before anything
// is written.
bool InTheWay(const fs::path& target, bool overwrite)
{
    std::error_code error;
    if (overwrite || !fs::exists(fs::symlink_status(target, error)))
        return false;
    std::cerr << "Die Datei " << target.string() << " gibt es schon; mit --overwrite wird sie ersetzt.\n";
    return true;
}

// What was made for an installation that wrote nothing goes again.
void RemoveMade(const std::vector<std::string>& made)
{
    for (auto folder = made.rbegin(); folder != made.rend(); ++folder)
        ::rmdir(folder->c_str());
}

void PrintRecord(const TInstallRecorder& recorder)
{
    if (recorder.Id() != 0)
        std::cout << "Installation " << recorder.Id() << '\n';
}

int CopyInto(const std::string& source, const fs::path& dest, bool overwrite, const TInstallRecord& record)
{
    const fs::path target = dest / fs::path(source).filename();
    if (InTheWay(target, overwrite))
        return 1;
    std::error_code error;
    const bool replacing = fs::exists(fs::symlink_status(target, error));
    TInstallStore store;
    TInstallRecorder recorder(store, record);
    std::vector<std::string> made;
    try {
        made = MakeFolders(dest);
        for (const std::string& folder : made)
            recorder.FolderMade(folder);
        if (replacing)
            recorder.Replacing(target.string());
        CopyFileSafely(source, target.string());
    } catch (const std::exception& e) {
        std::cerr << e.what() << '\n';
        recorder.NotWritten(target.string());
        RemoveMade(made);
        return 1;
    }
    recorder.Written(target.string());
    std::cout << target.string() << '\n';
    PrintRecord(recorder);
    return 0;
}

// The reason the unzip library gives for a member it could not write, in German.
std::string FailureReason(const std::string& reason)
{
    if (reason.rfind("errno ", 0) == 0)
        return SystemErrorText(std::atoi(reason.c_str() + 6));
    return "beschädigt";
}

int UnpackInto(const std::string& archive, const fs::path& dest, bool overwrite, const TInstallRecord& record)
{
    const TArchiveCopy local(archive);
    if (!local.Error().empty()) {
        std::cerr << "Das Archiv " << archive << " kann nicht gelesen werden: " << local.Error() << ".\n";
        return 1;
    }
    std::vector<std::string> members;
    try {
        if (!ArchiveFileMembers(local.Path(), members)) {
            std::cerr << "Das Archiv " << archive << " ist beschädigt oder kein ZIP-Archiv.\n";
            return 1;
        }
    } catch (const std::exception& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
    for (const std::string& member : members)
        if (InTheWay((dest / member).lexically_normal(), overwrite))
            return 1;
    TDunzipLibrary library;
    if (!library.Load()) {
        std::cerr << TDunzipLibrary::kLoadError << '\n';
        return 1;
    }
    TInstallStore store;
    TInstallRecorder recorder(store, record);
    std::vector<std::string> made;
    try {
        made = MakeFolders(dest);
    } catch (const std::exception& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
    for (const std::string& folder : made)
        recorder.FolderMade(folder);

    int status = 0;
    TUnzipFile unzip;
    unzip.lpszFileSpec.SetText("*.*");
    unzip.lpszZipFile.SetText(local.Path().c_str());
    unzip.lpszDestination.SetText(dest.string().c_str());
    if (overwrite)
        unzip.Options = UnzipFlag(OverWriteFlag);
    unzip.OnMessageCallback = [&](uint16_t id, uint16_t, int32_t, int32_t, char* text1, char* text2, int& result) {
        const std::string first = text1 ? text1 : "";
        const std::string second = text2 ? text2 : "";
        result = 1;
        switch (id) {
        case DZ_MSG_FOLDER:
            recorder.FolderMade(first);
            break;
        case DZ_MSG_REPLACING:
            recorder.Replacing(first);
            break;
        case DZ_MSG_WRITTEN:
            recorder.Written(first);
            std::cout << fs::path(first).lexically_normal().string() << '\n';
            break;
        case DZ_MSG_REFUSED:
            std::cerr << "Nicht entpackt (unsicher): " << first << '\n';
            status = 1;
            break;
        case DZ_MSG_FAILED:
            std::cerr << "Nicht geschrieben: " << first << ": " << FailureReason(second) << '\n';
            status = 1;
            break;
        case DZ_MSG_QUESTION:
            result = 7;
            break;  // "Nein": nothing is replaced unasked
        default:
            result = 0;
            break;  // no texts of ours: the library's own
        }
    };
    unzip.RunFunction(UNZIP_EXTRACT);
    if (unzip.LastResult == DZ_ERR_ARCHIVE) {
        std::cerr << "Das Archiv " << archive << " ist beschädigt oder kein ZIP-Archiv.\n";
        status = 1;
    } else if (unzip.LastResult != DZ_OK) {
        status = 1;
    }
    if (recorder.Id() == 0)
        RemoveMade(made);
    PrintRecord(recorder);
    return status;
}

const char* StateWord(TFileState state)
{
    switch (state) {
    case TFileState::fsUnchanged: return "unchanged";
    case TFileState::fsChanged: return "changed";
    case TFileState::fsMissing: return "missing";
    }
    return "";
}

}  // namespace

int RunInstall(const std::string& catalogue, const std::string& entryText, const std::string& destination, bool unpack,
               bool overwrite)
{
    const TOpenEntry given = OpenCatalogueAtEntry(catalogue, entryText);
    if (given.Status != 0)
        return given.Status;
    const std::unique_ptr<TOpenCatalogue>& opened = given.Opened;
    const int entry = given.Entry;
    std::optional<TEntryFile> named;
    try {
        named = EntryFile(*opened, entry);
    } catch (const std::exception& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
    if (!named) {
        std::cerr << "Der Eintrag " << entry << " nennt keine Datei zum Installieren.\n";
        return 1;
    }
    const std::string discRoot = CatalogueDiscRoot(PathPart(opened->Container.DataFileName));
    const TInstallSource source = ResolveInstallSource(named->WindowsPath, discRoot);
    if (DiscPathKind(source.HostPath) != TDiscPathKind::File) {
        std::cerr << "Die Datei " << Cp1252ToUtf8(named->WindowsPath) << " fehlt auf der Disc (gesucht: "
                  << source.HostPath << ").\n";
        return 1;
    }
    const fs::path dest = fs::absolute(destination).lexically_normal();
    TInstallRecord record;
    record.DiscLabel = DiscLabelOf(discRoot);
    record.Catalogue = catalogue;
    record.CatalogueId = CatalogueIdentity(opened->Container.DataFileName, opened->Container.IndexFileName);
    record.Entry = entry;
    record.Component = named->Component;
    record.Destination = dest.string();
    return unpack ? UnpackInto(source.HostPath, dest, overwrite, record)
                  : CopyInto(source.HostPath, dest, overwrite, record);
}

int RunInstalled(bool json)
{
    TInstallStore store;
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const TInstallRecord& record : store.Records()) {
        if (!json) {
            std::cout << record.Id << '\t' << record.When << '\t' << record.Component << '\t' << record.Destination
                      << '\n';
            continue;
        }
        nlohmann::ordered_json item;
        item["id"] = record.Id;
        item["when"] = record.When;
        item["catalogue"] = record.Catalogue;
        item["entry"] = record.Entry;
        item["component"] = record.Component;
        item["destination"] = record.Destination;
        nlohmann::ordered_json files = nlohmann::ordered_json::array();
        for (const TInstalledFile& file : record.Files)
            files.push_back({{"path", file.Path}, {"size", file.Size}, {"state", StateWord(StateOf(file))}});
        item["files"] = std::move(files);
        list.push_back(std::move(item));
    }
    if (json)
        std::cout << list.dump(2) << '\n';
    return 0;
}

int RunUninstall(const std::string& idText)
{
    int id = 0;
    if (!ParseEntryNumber(idText, id)) {
        std::cerr << "Ungültige Installationsnummer: " << idText << '\n';
        return 2;
    }
    TInstallStore store;
    std::vector<TUninstallStep> steps;
    if (!Uninstall(store, id, steps)) {
        std::cerr << "Eine Installation " << id << " gibt es nicht.\n";
        return 1;
    }
    for (const TUninstallStep& step : steps)
        std::cout << StepWord(step.Kind) << ": " << step.Path << '\n';
    return 0;
}

}  // namespace lumarc
