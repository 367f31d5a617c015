#include "DiskLabels.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "HexDigit.h"

namespace lumarc {

std::string UnescapeDiskLabel(std::string_view name)
{
    std::string out;
    for (size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '\\' && i + 3 < name.size() && name[i + 1] == 'x' && HexDigitValue(name[i + 2]) >= 0 &&
            HexDigitValue(name[i + 3]) >= 0) {
            out += static_cast<char>(HexDigitValue(name[i + 2]) * 16 + HexDigitValue(name[i + 3]));
            i += 3;
        } else {
            out += name[i];
        }
    }
    return out;
}

std::string DevicePath(const std::string& path)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path canonical = fs::canonical(path, ec);
    if (!ec)
        return canonical.string();
    fs::path target = path;
    if (fs::is_symlink(target, ec)) {
        const fs::path link = fs::read_symlink(target, ec);
        if (!ec)
            target = link.is_absolute() ? link : target.parent_path() / link;
    }
    const fs::path absolute = fs::absolute(target, ec);
    return (ec ? target : absolute).lexically_normal().string();
}

std::vector<TDiskLabel> ReadDiskLabels(const std::string& dir)
{
    namespace fs = std::filesystem;
    std::vector<TDiskLabel> labels;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        labels.push_back({UnescapeDiskLabel(name), DevicePath(it->path().string())});
    }
    std::sort(labels.begin(), labels.end(),
              [](const TDiskLabel& a, const TDiskLabel& b) { return a.Label < b.Label; });
    return labels;
}

}  // namespace lumarc
