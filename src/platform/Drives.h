#pragma once
// The "drives" of the installer on Linux: the file systems a user can reach — the root, the
// home directory and removable media mounted under /media and /run/media — named by their
// mount points, in that order and without repetitions.

#include <string>
#include <vector>

#include "Volumes.h"

namespace lumarc {

std::vector<std::string> ReachableDrives(const TVolumeSources& sources = {});

// The drive (from `drives`) that holds `path`: the longest one that is a prefix of it at a
// component boundary; "/" when none is.
std::string DriveOfPath(const std::string& path, const std::vector<std::string>& drives);

}  // namespace lumarc
