#include "WindowsPath.h"

#include <sys/stat.h>

#include <cctype>
#include <string_view>
#include <vector>

#include "CodePage.h"
#include "Disc.h"

namespace lumarc {

namespace {

bool Exists(const std::string& path)
{
    if (SplitImagePath(path))
        return DiscPathKind(path) != TDiscPathKind::None;
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

// The entry of `dir` whose name equals `wanted` (CP1252) without regard to case; of several
// the smallest, so that the choice does not depend on the order the directory lists them in.
// The directory may lie in a disc image, whose listing drops the ";1" of its names.
std::optional<std::string> FindEntry(const std::string& dir, const std::string& wanted)
{
    const std::string key = UpperCaseAnsi(wanted);
    std::optional<std::string> found;
    for (const TDirEntry& entry : ListDiscFolder(dir)) {
        const std::string& name = entry.Name;
        std::string ansi;
        if (name == "." || name == ".." || !Utf8ToCp1252(name, ansi) || UpperCaseAnsi(ansi) != key)
            continue;
        if (!found || name < *found)
            found = name;
    }
    return found;
}

std::string Join(const std::string& dir, const std::string& name)
{
    return dir == "/" ? "/" + name : dir + "/" + name;
}

}  // namespace

std::optional<std::string> MapWindowsPath(const std::string& winPath, char discDrive, const std::string& discRoot)
{
    const auto upper = [](char c) { return std::toupper(static_cast<unsigned char>(c)); };
    if (winPath.size() < 2 || winPath[1] != ':' || !std::isalpha(static_cast<unsigned char>(winPath[0])) ||
        upper(winPath[0]) != upper(discDrive) || discRoot.empty() || winPath.find('\0') != std::string::npos)
        return std::nullopt;

    std::vector<std::string_view> components;
    std::string_view rest = std::string_view(winPath).substr(2);
    while (!rest.empty()) {
        const size_t separator = rest.find_first_of("\\/");
        const std::string_view component = rest.substr(0, separator);
        if (component == "..")
            return std::nullopt;
        if (!component.empty() && component != ".")
            components.push_back(component);
        rest.remove_prefix(separator == std::string_view::npos ? rest.size() : separator + 1);
    }

    std::string host = discRoot;
    while (host.size() > 1 && host.back() == '/')
        host.pop_back();
    bool matching = true;  // whether `host` still names something that exists
    for (const std::string_view component : components) {
        const std::string given = Cp1252ToUtf8(component);
        std::string name = given;
        if (matching && !Exists(Join(host, given))) {
            const std::optional<std::string> entry = FindEntry(host, std::string(component));
            if (entry)
                name = *entry;
            else
                matching = false;
        }
        host = Join(host, name);
    }
    const char last = winPath.back();
    if ((last == '\\' || last == '/') && host.back() != '/')
        host += '/';
    return host;
}

}  // namespace lumarc
