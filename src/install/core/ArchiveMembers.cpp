#include "ArchiveMembers.h"

#include <zip.h>

#include <memory>

namespace lumarc {

bool ArchiveFileMembers(const std::string& archive, std::vector<std::string>& members)
{
    int error = 0;
    const std::unique_ptr<zip_t, void (*)(zip_t*)> zip(zip_open(archive.c_str(), ZIP_RDONLY, &error), zip_discard);
    if (!zip)
        return false;
    const zip_int64_t count = zip_get_num_entries(zip.get(), 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* raw = zip_get_name(zip.get(), static_cast<zip_uint64_t>(i), 0);
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
