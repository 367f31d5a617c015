#include "SiteFiles.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

#include "platform/Disc.h"
#include "platform/Exception.h"
#include "platform/FileCopy.h"
#include "platform/SystemErrors.h"
#include "settings/core/InstallSource.h"

namespace lumarc {

namespace {

struct TCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

[[noreturn]] void RaiseWriteError(const std::string& path, int error)
{
    throw EInOutError("Die Datei " + path + " konnte nicht geschrieben werden: " + SystemErrorText(error));
}

// The path below `root` spelt as the disc lists it. The mapping of Windows paths matches names
// on the host's file system; inside an image it keeps the catalogue's spelling.
std::string DiscSpelling(const std::string& root, const std::string& inner)
{
    std::string dir = root.substr(0, root.size() - 1);
    std::string spelt;
    for (size_t from = 0; from <= inner.size();) {
        const size_t slash = std::min(inner.find('/', from), inner.size());
        const std::string name = inner.substr(from, slash - from);
        const std::string listed = FindDiscEntry(dir, name).value_or(name);
        spelt += spelt.empty() ? listed : "/" + listed;
        dir += "/" + listed;
        from = slash + 1;
    }
    return spelt;
}

// Whether `path` stays below `root` once links are followed: a link on a copied disc may point
// anywhere, and what it points to must not be published. Inside an image nothing leads out.
bool StaysBelow(const std::string& path, const std::string& root)
{
    if (SplitImagePath(path))
        return true;
    std::error_code error;
    const std::string real = std::filesystem::weakly_canonical(path, error).string();
    const std::string realRoot = std::filesystem::weakly_canonical(root, error).string();
    return !error && real.size() > realRoot.size() && real.compare(0, realRoot.size(), realRoot) == 0 &&
           real[realRoot.size()] == '/';
}

}  // namespace

void MakeSiteDirectory(const std::string& dir)
{
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (error || !std::filesystem::is_directory(dir)) {
        // Not a directory: a file stands on the way, which the system says as if the way were
        // not there at all.
        const int code = error ? error.value() : ENOTDIR;
        throw EInOutError("Das Verzeichnis " + dir +
                          " konnte nicht angelegt werden: " + SystemErrorText(code == ENOTDIR ? EEXIST : code));
    }
}

void WriteSiteFile(const std::string& path, std::string_view contents)
{
    std::unique_ptr<std::FILE, TCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file)
        RaiseWriteError(path, errno);
    if (!contents.empty() && std::fwrite(contents.data(), 1, contents.size(), file.get()) != contents.size())
        RaiseWriteError(path, errno ? errno : EIO);
    if (std::fclose(file.release()) != 0)
        RaiseWriteError(path, errno ? errno : EIO);
}

std::string UrlPath(std::string_view path)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string url;
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9') || c == '-' ||
            c == '.' || c == '_' || c == '~' || c == '/') {
            url += c;
        } else {
            url += '%';
            url += kHex[byte >> 4];
            url += kHex[byte & 0xF];
        }
    }
    return url;
}

TSiteFiles::TSiteFiles(std::string outDir, std::string discRoot)
    : FOutDir(std::move(outDir)), FDiscRoot(std::move(discRoot))
{
}

std::string TSiteFiles::Take(const std::string& windowsPath)
{
    const TInstallSource source = ResolveInstallSource(windowsPath, FDiscRoot);
    // Only what lies on the disc is taken, and only a plain file: the mapping refuses ".."
    // and the root itself is no file.
    if (FDiscRoot.empty() || source.HostPath.size() <= FDiscRoot.size() ||
        source.HostPath.compare(0, FDiscRoot.size(), FDiscRoot) != 0)
        return {};
    if (const auto known = FTaken.find(source.HostPath); known != FTaken.end())
        return known->second;
    std::string& address = FTaken[source.HostPath];
    if (DiscPathKind(source.HostPath) != TDiscPathKind::File || !StaysBelow(source.HostPath, FDiscRoot))
        return address;
    const std::string inner = DiscSpelling(FDiscRoot, source.HostPath.substr(FDiscRoot.size()));
    const std::string target = FOutDir + "/files/" + inner;
    MakeSiteDirectory(std::filesystem::path(target).parent_path().string());
    CopyFileSafely(source.HostPath, target);
    address = "files/" + UrlPath(inner);
    return address;
}

}  // namespace lumarc
