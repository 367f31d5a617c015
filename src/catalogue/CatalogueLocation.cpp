#include "CatalogueLocation.h"

#include <cctype>

#include "platform/Disc.h"

namespace lumarc {

namespace {

std::string Join(const std::string& dir, const std::string& name)
{
    return dir.ends_with('/') ? dir + name : dir + "/" + name;
}

std::string WithoutFinalSlash(std::string path)
{
    while (path.size() > 1 && path.ends_with('/'))
        path.pop_back();
    return path;
}

// The file `name` in `dir`, matched as names on a disc match; nothing when there is no such
// file (a directory of that name is none).
std::optional<std::string> FindFile(const std::string& dir, const std::string& name)
{
    const auto found = FindDiscEntry(dir, name);
    if (!found)
        return std::nullopt;
    const std::string path = Join(dir, *found);
    return DiscPathKind(path) == TDiscPathKind::File ? std::optional<std::string>(path) : std::nullopt;
}

std::string FindInCatalogueDir(const std::string& dir, const std::string& name, std::vector<std::string>& lookedFor)
{
    std::string dataDir = Join(dir, "Data");
    if (const auto data = FindDiscEntry(dir, "Data"); data && DiscPathKind(Join(dir, *data)) == TDiscPathKind::Directory) {
        dataDir = Join(dir, *data);
        if (const auto found = FindFile(dataDir, name))
            return *found;
    }
    if (const auto found = FindFile(dir, name))
        return *found;
    lookedFor.push_back(Join(dataDir, name));
    lookedFor.push_back(Join(dir, name));
    return Join(dataDir, name);
}

}  // namespace

TCatalogueLocation LocateCatalogue(const std::string& catalogue)
{
    TCatalogueLocation location;
    const std::string path = WithoutFinalSlash(catalogue.empty() ? std::string(".") : catalogue);
    if (DiscPathKind(path) == TDiscPathKind::Directory || IsDiscImageFile(path)) {
        location.DataFileName = FindInCatalogueDir(path, kDataFileName, location.LookedFor);
        location.IndexFileName = FindInCatalogueDir(path, kIndexFileName, location.LookedFor);
        // Places inside an image that cannot be read say nothing; what is wrong with it does.
        if (!location.LookedFor.empty() && IsDiscImageFile(path))
            location.Problem = ImageProblem(path);
        return location;
    }
    const bool exists = DiscPathKind(path) == TDiscPathKind::File;
    const size_t slash = path.rfind('/');
    const std::string dir = slash == std::string::npos ? std::string(".") : (slash == 0 ? "/" : path.substr(0, slash));
    std::string stem = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string extension;
    if (const size_t dot = stem.rfind('.'); dot != std::string::npos && dot > 0) {
        extension = stem.substr(dot);
        stem.erase(dot);
    }
    // Either file of the pair names the catalogue: given the index, the data file is its partner.
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const bool indexGiven = extension == ".idx";
    std::string& given = indexGiven ? location.IndexFileName : location.DataFileName;
    std::string& partner = indexGiven ? location.DataFileName : location.IndexFileName;
    given = path;
    if (!exists)
        location.LookedFor.push_back(path);
    const std::string wanted = stem + (indexGiven ? ".dat" : ".idx");
    if (const auto found = FindFile(dir, wanted)) {
        partner = *found;
    } else {
        partner = slash == std::string::npos ? wanted : Join(dir, wanted);
        location.LookedFor.push_back(partner);
    }
    return location;
}

std::string CatalogueNotFoundMessage(const TCatalogueLocation& location)
{
    if (!location.Problem.empty())
        return location.Problem;
    std::string text = "Datenbank nicht gefunden!\nGesucht: ";
    const std::vector<std::string> places = location.LookedFor.empty()
                                                ? std::vector<std::string>{location.DataFileName, location.IndexFileName}
                                                : location.LookedFor;
    for (size_t i = 0; i < places.size(); ++i)
        text += (i ? ", " : "") + places[i];
    return text;
}

}  // namespace lumarc
