#include "InstallSource.h"

#include "platform/CodePage.h"
#include "platform/WindowsPath.h"

namespace lumarc {

std::string LastPathComponent(const std::string& path)
{
    const size_t sep = path.find_last_of(":\\/");
    return sep == std::string::npos ? path : path.substr(sep + 1);
}

std::string PathPart(const std::string& path)
{
    const size_t sep = path.find_last_of(":\\/");
    return sep == std::string::npos ? std::string() : path.substr(0, sep + 1);
}

std::string ComponentDirNameOf(const std::string& sourcePath)
{
    std::string path = sourcePath;
    const size_t dot = path.find('.');
    if (dot != std::string::npos)
        path.erase(dot, 4);
    return LastPathComponent(path);
}

TInstallSource ResolveInstallSource(const std::string& windowsPath, const std::string& discRoot)
{
    TInstallSource source;
    source.WindowsPath = windowsPath;
    source.ComponentDirName = Cp1252ToUtf8(ComponentDirNameOf(windowsPath));
    source.HostPath = Cp1252ToUtf8(windowsPath);
    if (windowsPath.size() > 1 && windowsPath[1] == ':') {
        if (auto mapped = MapWindowsPath(windowsPath, windowsPath[0], discRoot))
            source.HostPath = *mapped;
    }
    return source;
}

}  // namespace lumarc
