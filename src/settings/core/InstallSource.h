#pragma once
// Where an installation starts: the catalogue names a component's file by a Windows path on the
// disc ("D:\COMPS\GRID.ZIP"); this finds the file on the host and the name of the directory
// the component is installed into.

#include <string>

namespace lumarc {

struct TInstallSource {
    std::string WindowsPath;       // as the catalogue gives it (CP1252)
    std::string HostPath;          // the file on the host (UTF-8); the Windows path when unmapped
    std::string ComponentDirName;  // "GRID" for "D:\COMPS\GRID.ZIP"
};

// The source path with its first "." and the three characters after it removed, reduced to
// its last component (after the last ':', '\' or '/').
std::string ComponentDirNameOf(const std::string& sourcePath);
// The last component of a path (after the last ':', '\' or '/').
std::string LastPathComponent(const std::string& path);
// The path up to and including its last ':', '\' or '/'.
std::string PathPart(const std::string& path);

// A path with a drive is taken to be on the catalogue disc and mapped below `discRoot`
// (MapWindowsPath); a path that cannot be mapped is kept as it is.
TInstallSource ResolveInstallSource(const std::string& windowsPath, const std::string& discRoot);

}  // namespace lumarc
