#include "MappedFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

namespace lumarc {

namespace {

// Whether every page of a mapping made with MAP_POPULATE was read. A page of a damaged disc that
// could not be read is left out; touching it would end the program, where reading the record
// through the file gives its error.
bool AllRead(void* mapped, size_t size)
{
    const auto page = static_cast<size_t>(::sysconf(_SC_PAGESIZE));
    std::vector<unsigned char> resident((size + page - 1) / page);
    if (::mincore(mapped, size, resident.data()) != 0)
        return false;
    return std::all_of(resident.begin(), resident.end(), [](unsigned char bits) { return (bits & 1) != 0; });
}

}  // namespace

std::shared_ptr<const TMappedFile> TMappedFile::Open(const std::string& fileName)
{
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat status {};
    void* mapped = MAP_FAILED;
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0 &&
        static_cast<uint64_t>(status.st_size) <= std::numeric_limits<uint32_t>::max())
        mapped = ::mmap(nullptr, static_cast<size_t>(status.st_size), PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
    ::close(fd);
    if (mapped == MAP_FAILED)
        return nullptr;
    std::shared_ptr<const TMappedFile> file(new TMappedFile(mapped, static_cast<size_t>(status.st_size)));
    if (!AllRead(mapped, file->FSize))
        return nullptr;
    ::madvise(mapped, file->FSize, MADV_SEQUENTIAL);
    return file;
}

TMappedFile::~TMappedFile()
{
    ::munmap(FData, FSize);
}

}  // namespace lumarc
