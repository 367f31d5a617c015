#pragma once
// Volume labels as udev publishes them: /dev/disk/by-label holds one symbolic link per
// labelled volume, named after the label with unsafe bytes written as "\xHH" ("\x20" for a
// blank, "\x2f" for "/"), pointing at the volume's device.

#include <string>
#include <string_view>
#include <vector>

namespace lumarc {

inline constexpr const char* kDiskLabelDir = "/dev/disk/by-label";

struct TDiskLabel {
    std::string Label;
    std::string Device;  // the device the link resolves to, as an absolute path
};

// The labels in the order of their names; empty when the directory cannot be read.
std::vector<TDiskLabel> ReadDiskLabels(const std::string& dir = kDiskLabelDir);

// "TOOL\x20DISC" -> "TOOL DISC".
std::string UnescapeDiskLabel(std::string_view name);

// The device a path names with symbolic links followed: the canonical path when it exists,
// else the path made absolute and normalised, so that "/dev/sr0" and
// "/dev/disk/by-label/X" -> "../../sr0" compare equal also where the device is gone.
std::string DevicePath(const std::string& path);

}  // namespace lumarc
