#pragma once
// Drives and discs on Linux. There are no drive letters: a drive is named by the mount point
// of the volume in it. Where the program asked for "the first CD-ROM drive" it gets the mount
// point of the first mounted optical volume, and "no drive" is an empty string.

#include <string>
#include <vector>

#include "DiskLabels.h"
#include "MountTable.h"

namespace lumarc {

// Where the mounts and the labels are read from; tests point these at files of their own.
struct TVolumeSources {
    std::string MountsFile = kProcMounts;
    std::string LabelDir = kDiskLabelDir;
};

struct TVolume {
    std::string MountPoint;
    std::string Device;
    std::string FileSystem;
    std::string Label;  // empty when the volume has none that udev publishes
};

// The mounted volumes in mount order, each with its label.
std::vector<TVolume> ListVolumes(const TVolumeSources& sources = {});

// An ISO 9660 or UDF file system, or a volume on an optical drive (/dev/sr*).
bool IsOpticalVolume(const TVolume& volume);

// The mount point of the first mounted optical volume, or "" when there is none.
std::string FindCDROMDrive(const TVolumeSources& sources = {});

// The label of the volume mounted at `mountPoint` (the one mounted last when several are
// stacked there); "" when nothing is mounted there or the volume has no label.
std::string GetVolumeLabel(const std::string& mountPoint, const TVolumeSources& sources = {});

}  // namespace lumarc
