#include "Drives.h"

#include <algorithm>

#include "UserDirs.h"

namespace lumarc {

namespace {

bool StartsWith(const std::string& text, const std::string& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

void AddOnce(std::vector<std::string>& drives, const std::string& drive)
{
    if (!drive.empty() && std::find(drives.begin(), drives.end(), drive) == drives.end())
        drives.push_back(drive);
}

}  // namespace

std::vector<std::string> ReachableDrives(const TVolumeSources& sources)
{
    std::vector<std::string> drives{"/"};
    AddOnce(drives, HomeDir());
    for (const TVolume& volume : ListVolumes(sources)) {
        if (StartsWith(volume.MountPoint, "/media/") || StartsWith(volume.MountPoint, "/run/media/"))
            AddOnce(drives, volume.MountPoint);
    }
    return drives;
}

std::string DriveOfPath(const std::string& path, const std::vector<std::string>& drives)
{
    std::string best = "/";
    for (const std::string& drive : drives) {
        const bool inside = path == drive || (StartsWith(path, drive) && (drive.back() == '/' || path[drive.size()] == '/'));
        if (inside && drive.size() > best.size())
            best = drive;
    }
    return best;
}

}  // namespace lumarc
