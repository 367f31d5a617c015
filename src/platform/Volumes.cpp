#include "Volumes.h"

namespace lumarc {

namespace {

std::string WithoutTrailingSlashes(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

}  // namespace

std::vector<TVolume> ListVolumes(const TVolumeSources& sources)
{
    const std::vector<TDiskLabel> labels = ReadDiskLabels(sources.LabelDir);
    std::vector<TVolume> volumes;
    for (const TMountEntry& mount : ReadMountTable(sources.MountsFile)) {
        TVolume volume{mount.MountPoint, mount.Device, mount.FileSystem, {}};
        // Pseudo file systems name no device ("proc", "tmpfs"); only paths can carry a label.
        if (mount.Device.starts_with('/')) {
            const std::string device = DevicePath(mount.Device);
            for (const TDiskLabel& label : labels) {
                if (label.Device == device) {
                    volume.Label = label.Label;
                    break;
                }
            }
        }
        volumes.push_back(std::move(volume));
    }
    return volumes;
}

bool IsOpticalVolume(const TVolume& volume)
{
    return volume.FileSystem == "iso9660" || volume.FileSystem == "udf" || volume.Device.starts_with("/dev/sr");
}

std::string FindCDROMDrive(const TVolumeSources& sources)
{
    for (const TVolume& volume : ListVolumes(sources)) {
        if (IsOpticalVolume(volume))
            return volume.MountPoint;
    }
    return {};
}

std::string GetVolumeLabel(const std::string& mountPoint, const TVolumeSources& sources)
{
    const std::string wanted = WithoutTrailingSlashes(mountPoint);
    std::string label;
    for (const TVolume& volume : ListVolumes(sources)) {
        if (WithoutTrailingSlashes(volume.MountPoint) == wanted)
            label = volume.Label;
    }
    return label;
}

}  // namespace lumarc
