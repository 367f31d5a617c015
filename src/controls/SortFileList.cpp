#include "SortFileList.h"

#include <new>

namespace lumarc {

namespace {

const std::string& DiskName(const TFileEntry& entry)
{
    return entry.FileName.empty() ? entry.Name : entry.FileName;
}

}  // namespace

int TSortFileList::CompareNames(const std::string& a, const std::string& b)
{
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        unsigned char ca = static_cast<unsigned char>(a[i]);
        unsigned char cb = static_cast<unsigned char>(b[i]);
        if (ca >= 'a' && ca <= 'z')
            ca = static_cast<unsigned char>(ca - 32);
        if (cb >= 'a' && cb <= 'z')
            cb = static_cast<unsigned char>(cb - 32);
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool TSortFileList::Add(std::unique_ptr<TFileEntry> entry)
{
    if (!entry)
        throw ESortFileList(SSortFileListInsert);
    try {
        auto it = FEntries.begin();
        for (; it != FEntries.end(); ++it) {
            int order = CompareNames((*it)->Name, entry->Name);
            // Names that differ only in case are two files here; only the very same name,
            // found again by another mask part, is one.
            if (order == 0)
                order = DiskName(**it).compare(DiskName(*entry));
            if (order == 0)
                return false;
            if (order > 0)
                break;
        }
        FEntries.insert(it, std::move(entry));
        return true;
    } catch (const std::bad_alloc&) {
        throw ESortFileList(SSortFileListInsert);
    }
}

void TSortFileList::Append(std::unique_ptr<TFileEntry> entry)
{
    if (!entry)
        throw ESortFileList(SSortFileListInsert);
    try {
        FEntries.push_back(std::move(entry));
    } catch (const std::bad_alloc&) {
        throw ESortFileList(SSortFileListInsert);
    }
}

}  // namespace lumarc
