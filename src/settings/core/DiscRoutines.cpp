#include "DiscRoutines.h"

#include "platform/Disc.h"

#include <filesystem>

#include "Settings.h"
#include "platform/CodePage.h"

namespace lumarc {

std::string UpperCaseLabel(const std::string& label)
{
    std::string ansi;
    if (Utf8ToCp1252(label, ansi))
        return Cp1252ToUtf8(UpperCaseAnsi(ansi));
    std::string result = label;
    for (char& c : result) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return result;
}

bool DiscInDrive(const TVolumeSources& sources)
{
    const std::string drive = FindCDROMDrive(sources);
    if (drive.empty())
        return false;
    return UpperCaseLabel(GetVolumeLabel(drive, sources)) == Settings().CDVolumeLabel;
}

std::string CatalogueDiscRoot(const std::string& catalogueDataDir, const TVolumeSources& sources)
{
    // An image is a disc that needs no drive: its own label counts as a mounted disc's does,
    // and first, since the catalogue was read from it.
    const auto image = SplitImagePath(catalogueDataDir);
    if (image && UpperCaseLabel(ImageVolumeLabel(image->Image)) == Settings().CDVolumeLabel)
        return image->Image + '/';
    for (const TVolume& volume : ListVolumes(sources)) {
        if (!volume.Label.empty() && UpperCaseLabel(volume.Label) == Settings().CDVolumeLabel)
            return volume.MountPoint.ends_with('/') ? volume.MountPoint : volume.MountPoint + '/';
    }
    // An image of another label holds the catalogue as a directory would.
    if (image)
        return image->Image + '/';
    if (catalogueDataDir.empty())
        return {};
    std::filesystem::path dir = std::filesystem::path(catalogueDataDir).lexically_normal();
    if (!dir.has_filename())
        dir = dir.parent_path();
    if (UpperCaseLabel(dir.filename().string()) == "DATA")
        dir = dir.parent_path();
    std::string root = dir.empty() ? "." : dir.string();
    return root.ends_with('/') ? root : root + '/';
}

}  // namespace lumarc
