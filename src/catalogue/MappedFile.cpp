#include "MappedFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <limits>

namespace lumarc {

std::shared_ptr<const TMappedFile> TMappedFile::Open(const std::string& fileName)
{
    std::shared_ptr<const TMappedFile> file = Map(fileName);
    if (!file || !file->ReadIn(0, file->FSize))
        return nullptr;
    return file;
}

std::shared_ptr<const TMappedFile> TMappedFile::Map(const std::string& fileName)
{
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat status {};
    void* mapped = MAP_FAILED;
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0 &&
        static_cast<uint64_t>(status.st_size) <= std::numeric_limits<uint32_t>::max())
        mapped = ::mmap(nullptr, static_cast<size_t>(status.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
    ::close(fd);
    if (mapped == MAP_FAILED)
        return nullptr;
    // Pages the disc has not given yet are then read in large pieces and kept by the system in
    // large pages, which a later search maps in a fortieth of the time (and unmaps at once).
    // No MADV_SEQUENTIAL: its pages would count as unused, the first to go from the cache.
    ::madvise(mapped, static_cast<size_t>(status.st_size), MADV_HUGEPAGE);
    return std::shared_ptr<const TMappedFile>(new TMappedFile(mapped, static_cast<size_t>(status.st_size)));
}

bool TMappedFile::ReadIn(size_t from, size_t size) const
{
    if (size == 0)
        return true;
    // A page of a damaged disc that cannot be read would end the program when touched, where
    // reading the record through the file gives its error; reading it in says so instead.
    const auto page = static_cast<uintptr_t>(::sysconf(_SC_PAGESIZE));
    const uintptr_t start = (reinterpret_cast<uintptr_t>(FData) + from) / page * page;
    const uintptr_t end = reinterpret_cast<uintptr_t>(FData) + std::min(from + size, FSize);
    return ::madvise(reinterpret_cast<void*>(start), end - start, MADV_POPULATE_READ) == 0;
}

TMappedFile::~TMappedFile()
{
    ::munmap(FData, FSize);
}

}  // namespace lumarc
