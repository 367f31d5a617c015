#include "Library.h"

#include <filesystem>
#include <set>
#include <system_error>

#include "DiscIdentity.h"
#include "InstallStore.h"
#include "SqliteStatement.h"
#include "catalogue/BrowzerContainer.h"
#include "catalogue/CatalogueLocation.h"
#include "catalogue/TreeViewData.h"
#include "platform/AsciiCase.h"
#include "platform/CodePage.h"
#include "platform/Disc.h"
#include "platform/LocalTime.h"

namespace lumarc {

namespace fs = std::filesystem;

namespace {

// What a catalogue says of itself.
struct TCatalogueFacts {
    std::string Identity;
    std::optional<std::string> Label;
    std::string Title;
    int Entries = 0;
};

std::string Trimmed(std::string_view text)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

std::string Absolute(const std::string& path)
{
    std::error_code ignored;
    std::string absolute = fs::absolute(path, ignored).lexically_normal().string();
    while (absolute.size() > 1 && absolute.ends_with('/'))
        absolute.pop_back();
    return absolute;
}

std::optional<TCatalogueFacts> ReadFacts(const std::string& catalogue, const std::string& place)
{
    const TCatalogueLocation location = LocateCatalogue(catalogue);
    if (!location.LookedFor.empty() || !location.Problem.empty())
        return std::nullopt;
    TCatalogueFacts facts;
    try {
        TBrowzerContainer container;
        container.DataFileName = location.DataFileName;
        container.IndexFileName = location.IndexFileName;
        container.SetActive(true);
        container.CheckVersion();
        TTreeViewData tree;
        container.LoadOutline(tree);
        facts.Entries = tree.Count();
        if (tree.RootCount > 0 && tree.Count() > 0)
            facts.Title = Cp1252ToUtf8(Trimmed(tree.Texts[0]));
    } catch (const std::exception&) {
        return std::nullopt;
    }
    facts.Identity = CatalogueIdentity(location.DataFileName, location.IndexFileName);
    if (std::string label = DiscLabelOf(place); !label.empty())
        facts.Label = std::move(label);
    return facts;
}

bool IsDescriptor(const std::string& extension)
{
    return extension == ".cue" || extension == ".ccd" || extension == ".mds" || extension == ".toc";
}

}  // namespace

std::string LibraryPlaceOf(const std::string& catalogue)
{
    const TCatalogueLocation location = LocateCatalogue(Absolute(catalogue));
    if (!location.LookedFor.empty() || !location.Problem.empty())
        return {};
    if (const std::optional<TImagePath> image = SplitImagePath(location.DataFileName))
        return image->Image;
    const std::string given = Absolute(catalogue);
    std::error_code ignored;
    if (AsciiLower(fs::path(given).extension().string()) == ".dat" && fs::is_regular_file(given, ignored))
        return given;
    fs::path dir = fs::path(location.DataFileName).parent_path();
    if (AsciiLower(dir.filename().string()) == "data")
        dir = dir.parent_path();
    return dir.string();
}

std::string FirstPlace(const TLibraryCatalogue& catalogue)
{
    for (const TLibraryPlace& place : catalogue.Places)
        if (place.Present)
            return place.Path;
    return catalogue.Places.empty() ? std::string() : catalogue.Places.front().Path;
}

std::vector<std::string> CataloguesAt(const std::string& path, const std::function<bool()>& cancelled)
{
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        return FindCatalogues(path, cancelled);
    return {path};
}

std::vector<std::string> FindCatalogues(const std::string& folder, const std::function<bool()>& cancelled)
{
    std::vector<std::string> found;
    std::error_code error;
    // Links are neither followed nor taken: a link may lead out of the folder, or round in it.
    fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, error);
    std::set<std::string> stemsWithDescriptor;
    std::vector<fs::path> images;
    if (fs::is_directory(folder, error) && LocateCatalogue(folder).LookedFor.empty())
        found.push_back(Absolute(folder));
    for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (cancelled && cancelled())
            return found;
        const fs::directory_entry& entry = *it;
        if (entry.is_symlink(error))
            continue;
        if (entry.is_directory(error)) {
            const TCatalogueLocation location = LocateCatalogue(entry.path().string());
            // A disc's "Data" folder is found with the disc.
            if (location.LookedFor.empty() && AsciiLower(entry.path().filename().string()) != "data")
                found.push_back(Absolute(entry.path().string()));
            continue;
        }
        const std::string extension = AsciiLower(entry.path().extension().string());
        if (IsDescriptor(extension))
            stemsWithDescriptor.insert((entry.path().parent_path() / entry.path().stem()).string());
        if (entry.is_regular_file(error) && IsDiscImageFile(entry.path().string()))
            images.push_back(entry.path());
    }
    for (const fs::path& image : images) {
        const std::string extension = AsciiLower(image.extension().string());
        // The data file of a pair is reached through its descriptor.
        const bool dataOfPair = extension == ".bin" || extension == ".img" || extension == ".mdf";
        if (dataOfPair && stemsWithDescriptor.count((image.parent_path() / image.stem()).string()))
            continue;
        if (LocateCatalogue(image.string()).LookedFor.empty())
            found.push_back(Absolute(image.string()));
    }
    return found;
}

TLibrary::TLibrary(TInstallStore& store) : FStore(store)
{
}

std::optional<TLibrary::TAdded> TLibrary::Add(const std::string& catalogue)
{
    const std::string place = LibraryPlaceOf(catalogue);
    if (place.empty())
        return std::nullopt;
    const std::optional<TCatalogueFacts> facts = ReadFacts(Absolute(catalogue), place);
    if (!facts)
        return std::nullopt;
    sqlite3* db = FStore.Handle();
    TAdded added;
    added.Place = place;
    {
        TStatement known(db, "SELECT catalogue_id FROM places WHERE path = ?1");
        known.Bind(1, place);
        if (known.Step() == SQLITE_ROW) {
            added.Id = known.Int(0);
            return added;
        }
    }
    {
        TStatement same(db, "SELECT id FROM catalogues WHERE identity = ?1");
        same.Bind(1, facts->Identity);
        if (same.Step() == SQLITE_ROW)
            added.Id = same.Int(0);
    }
    if (added.Id != 0 && facts->Label) {
        // A label learnt from an image or a disc names a catalogue first found as a folder.
        TStatement label(db, "UPDATE catalogues SET label = ?1 WHERE id = ?2 AND label IS NULL");
        label.Bind(1, *facts->Label).Bind(2, added.Id);
        label.Step();
    }
    if (added.Id == 0) {
        TStatement insert(db, "INSERT INTO catalogues(identity, label, title, entries) VALUES(?1, ?2, ?3, ?4)");
        insert.Bind(1, facts->Identity).Bind(3, facts->Title).Bind(4, int64_t{facts->Entries});
        if (facts->Label)
            insert.Bind(2, *facts->Label);
        else
            insert.BindNull(2);
        if (insert.Step() != SQLITE_DONE)
            return std::nullopt;
        added.Id = sqlite3_last_insert_rowid(db);
    }
    TStatement insertPlace(db, "INSERT INTO places(catalogue_id, path, seq) VALUES(?1, ?2, "
                               "(SELECT COALESCE(MAX(seq), 0) + 1 FROM places))");
    insertPlace.Bind(1, added.Id).Bind(2, place);
    if (insertPlace.Step() != SQLITE_DONE)
        return std::nullopt;
    added.NewPlace = true;
    return added;
}

std::vector<TLibraryCatalogue> TLibrary::Catalogues() const
{
    std::vector<TLibraryCatalogue> catalogues;
    sqlite3* db = FStore.Handle();
    TStatement list(db, "SELECT id, identity, label, title, entries, COALESCE(last_opened, '') FROM catalogues "
                        "ORDER BY id");
    while (list.Step() == SQLITE_ROW) {
        TLibraryCatalogue catalogue;
        catalogue.Id = list.Int(0);
        catalogue.Identity = list.Text(1);
        if (!list.IsNull(2))
            catalogue.Label = list.Text(2);
        catalogue.Title = list.Text(3);
        catalogue.Entries = static_cast<int>(list.Int(4));
        catalogue.LastOpened = list.Text(5);
        catalogues.push_back(std::move(catalogue));
    }
    for (TLibraryCatalogue& catalogue : catalogues) {
        TStatement places(db, "SELECT path FROM places WHERE catalogue_id = ?1 ORDER BY seq");
        places.Bind(1, catalogue.Id);
        while (places.Step() == SQLITE_ROW) {
            const std::string path = places.Text(0);
            catalogue.Places.push_back({path, !LibraryPlaceOf(path).empty()});
        }
    }
    return catalogues;
}

bool TLibrary::Remove(int64_t id)
{
    sqlite3* db = FStore.Handle();
    TStatement remove(db, "DELETE FROM catalogues WHERE id = ?1");
    remove.Bind(1, id);
    return remove.Step() == SQLITE_DONE && sqlite3_changes(db) > 0;
}

void TLibrary::Opened(const std::string& place)
{
    TStatement opened(FStore.Handle(), "UPDATE catalogues SET last_opened = ?1 WHERE id = "
                                       "(SELECT catalogue_id FROM places WHERE path = ?2)");
    opened.Bind(1, LocalNowIso()).Bind(2, place);
    opened.Step();
}

}  // namespace lumarc
