#pragma once
// The mounted file systems as the kernel lists them in /proc/self/mounts: one line a mount,
// "device mount-point type options 0 0", with blanks, tabs, newlines and backslashes inside a
// field written as three-digit octal escapes ("\040" for a blank).

#include <string>
#include <string_view>
#include <vector>

namespace lumarc {

inline constexpr const char* kProcMounts = "/proc/self/mounts";

struct TMountEntry {
    std::string Device;
    std::string MountPoint;
    std::string FileSystem;
};

// The entries in the order listed, later mounts last; lines with fewer than three fields are
// skipped.
std::vector<TMountEntry> ParseMountTable(std::string_view text);
// Empty when the file cannot be read.
std::vector<TMountEntry> ReadMountTable(const std::string& file = kProcMounts);

// "\040" -> " ": a backslash and three octal digits stand for one byte; anything else stays.
std::string UnescapeMountField(std::string_view field);

}  // namespace lumarc
