#include "FileNames.h"

#include <fnmatch.h>
#include <sys/stat.h>

#include "AsciiCase.h"

namespace lumarc {

std::string UpperExtension(std::string_view name)
{
    const size_t sep = name.find_last_of(":\\/");
    const size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || (sep != std::string_view::npos && dot < sep))
        return {};
    std::string extension(name.substr(dot));
    for (char& c : extension)
        c = AsciiUpper(c);
    return extension;
}

bool MatchesMask(const std::string& mask, const std::string& name)
{
    if (mask == "*.*" || mask == "*")
        return true;
    if (::fnmatch(mask.c_str(), name.c_str(), FNM_CASEFOLD) == 0)
        return true;
    return mask.size() > 2 && mask.ends_with(".*") &&
           ::fnmatch(mask.substr(0, mask.size() - 2).c_str(), name.c_str(), FNM_CASEFOLD) == 0;
}

bool PathExists(const std::string& path)
{
    if (path.size() == 3 && path[1] == ':' && path[2] == '\\')
        return true;
    struct stat st {};
    return !path.empty() && ::lstat(path.c_str(), &st) == 0;
}

}  // namespace lumarc
