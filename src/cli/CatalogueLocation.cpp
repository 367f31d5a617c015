#include "CatalogueLocation.h"

#include <filesystem>

namespace lumarc {

namespace {

std::string FindIn(const std::filesystem::path& dir, const char* name)
{
    const std::filesystem::path inData = dir / "Data" / name;
    std::error_code ec;
    if (std::filesystem::is_regular_file(inData, ec))
        return inData.string();
    const std::filesystem::path beside = dir / name;
    if (std::filesystem::is_regular_file(beside, ec))
        return beside.string();
    return inData.string();
}

}  // namespace

TCatalogueLocation LocateCatalogue(const std::string& catalogue)
{
    const std::filesystem::path path(catalogue);
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return {FindIn(path, "Lumarc32.dat"), FindIn(path, "Lumarc32.idx")};
    std::filesystem::path index = path;
    index.replace_extension(".idx");
    return {path.string(), index.string()};
}

}  // namespace lumarc
