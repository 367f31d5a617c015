#include "ArchiveMembers.h"

#include <dlfcn.h>
#include <zip.h>

#include <memory>

#include "platform/Exception.h"

namespace lumarc {

namespace {

// libzip is loaded when an archive is first listed, not with the program: it brings the crypto
// library, and the two took a third of the start of lumarc-cli, which lists an archive only to
// install one.
struct TZipLibrary {
    decltype(&zip_open) Open = nullptr;
    decltype(&zip_get_num_entries) Count = nullptr;
    decltype(&zip_get_name) Name = nullptr;
    decltype(&zip_discard) Discard = nullptr;
    std::string Error;
};

const TZipLibrary& ZipLibrary()
{
    static const TZipLibrary library = [] {
        TZipLibrary loaded;
        void* handle = ::dlopen(LUMARC_LIBZIP_SONAME, RTLD_NOW | RTLD_LOCAL);
        if (handle) {
            loaded.Open = reinterpret_cast<decltype(&zip_open)>(::dlsym(handle, "zip_open"));
            loaded.Count = reinterpret_cast<decltype(&zip_get_num_entries)>(::dlsym(handle, "zip_get_num_entries"));
            loaded.Name = reinterpret_cast<decltype(&zip_get_name)>(::dlsym(handle, "zip_get_name"));
            loaded.Discard = reinterpret_cast<decltype(&zip_discard)>(::dlsym(handle, "zip_discard"));
        }
        // The loader's reason is English; the name says what to install.
        if (!loaded.Open || !loaded.Count || !loaded.Name || !loaded.Discard) {
            loaded.Error = "Die ZIP-Bibliothek " LUMARC_LIBZIP_SONAME " kann nicht geladen werden.";
            loaded.Open = nullptr;
        }
        return loaded;
    }();
    return library;
}

}  // namespace

bool ArchiveFileMembers(const std::string& archive, std::vector<std::string>& members)
{
    const TZipLibrary& zip = ZipLibrary();
    if (!zip.Open)
        throw Exception(zip.Error);
    int error = 0;
    const std::unique_ptr<zip_t, decltype(&zip_discard)> opened(zip.Open(archive.c_str(), ZIP_RDONLY, &error),
                                                                zip.Discard);
    if (!opened)
        return false;
    const zip_int64_t count = zip.Count(opened.get(), 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* raw = zip.Name(opened.get(), static_cast<zip_uint64_t>(i), 0);
        if (!raw)
            return false;
        std::string name = raw;
        for (char& c : name)
            if (c == '\\')
                c = '/';
        if (!name.empty() && name.back() != '/')
            members.push_back(name);
    }
    return true;
}

}  // namespace lumarc
