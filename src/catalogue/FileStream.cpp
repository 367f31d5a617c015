#include "FileStream.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/Disc.h"
#include "platform/Exception.h"

namespace lumarc {

TFileStream::TFileStream(const std::string& fileName, TMode mode) : FFileName(fileName)
{
    if (SplitImagePath(fileName)) {
        if (mode == TMode::fmCreate)
            throw EFCreateError("Cannot create file \"" + fileName + "\". " + std::strerror(EROFS));
        if (mode != TMode::fmOpenRead)
            throw EFOpenError("Cannot open file \"" + fileName + "\". " + std::strerror(EROFS));
        FInImage = OpenDiscFile(fileName);
        if (!FInImage)
            throw EFOpenError("Cannot open file \"" + fileName + "\". " + std::strerror(errno));
        return;
    }
    int flags = O_CLOEXEC;
    switch (mode) {
    case TMode::fmOpenRead: flags |= O_RDONLY; break;
    case TMode::fmOpenReadWrite: flags |= O_RDWR; break;
    case TMode::fmCreate: flags |= O_RDWR | O_CREAT | O_TRUNC; break;
    }
    FHandle = ::open(fileName.c_str(), flags, 0644);
    if (FHandle < 0) {
        const std::string reason = std::strerror(errno);
        if (mode == TMode::fmCreate)
            throw EFCreateError("Cannot create file \"" + fileName + "\". " + reason);
        throw EFOpenError("Cannot open file \"" + fileName + "\". " + reason);
    }
}

TFileStream::~TFileStream()
{
    if (FHandle >= 0)
        ::close(FHandle);
}

namespace {

// Reads until count bytes, the end of the file or an error; EINTR is retried.
template <class ReadSome>
int64_t ReadFully(void* buffer, int64_t count, ReadSome readSome)
{
    int64_t done = 0;
    auto* out = static_cast<char*>(buffer);
    while (done < count) {
        const ssize_t n = readSome(out + done, static_cast<size_t>(count - done), done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw EReadError(std::string(SReadError) + ": " + std::strerror(errno));
        if (n == 0)
            break;
        done += n;
    }
    return done;
}

}  // namespace

int64_t TFileStream::Read(void* buffer, int64_t count)
{
    if (FInImage) {
        const int64_t done = ReadAt(FPosition, buffer, count);
        FPosition += done;
        return done;
    }
    return ReadFully(buffer, count, [this](char* p, size_t n, int64_t) { return ::read(FHandle, p, n); });
}

int64_t TFileStream::ReadAt(int64_t offset, void* buffer, int64_t count)
{
    if (offset < 0)
        return 0;
    if (FInImage) {
        return ReadFully(buffer, count, [this, offset](char* p, size_t n, int64_t done) {
            return static_cast<ssize_t>(FInImage->ReadAt(offset + done, p, static_cast<int64_t>(n)));
        });
    }
    return ReadFully(buffer, count,
                     [this, offset](char* p, size_t n, int64_t done) { return ::pread(FHandle, p, n, offset + done); });
}

int64_t TFileStream::Write(const void* buffer, int64_t count)
{
    if (FInImage)
        return 0;  // a disc takes nothing
    int64_t done = 0;
    const auto* in = static_cast<const char*>(buffer);
    while (done < count) {
        const ssize_t n = ::write(FHandle, in + done, static_cast<size_t>(count - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += n;
    }
    return done;
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin)
{
    if (FInImage) {
        const int64_t base = origin == TSeekOrigin::soBeginning ? 0
                             : origin == TSeekOrigin::soCurrent ? FPosition
                                                                : FInImage->Size();
        if (base + offset < 0)
            throw EStreamError("Seek error on \"" + FFileName + "\": " + std::strerror(EINVAL));
        FPosition = base + offset;
        return FPosition;
    }
    const int whence = origin == TSeekOrigin::soBeginning ? SEEK_SET
                       : origin == TSeekOrigin::soCurrent ? SEEK_CUR
                                                          : SEEK_END;
    const off_t result = ::lseek(FHandle, static_cast<off_t>(offset), whence);
    if (result < 0)
        throw EStreamError("Seek error on \"" + FFileName + "\": " + std::strerror(errno));
    return result;
}

int64_t TFileStream::Size()
{
    if (FInImage)
        return FInImage->Size();
    struct stat info {};
    if (::fstat(FHandle, &info) != 0 || !S_ISREG(info.st_mode))
        return TStream::Size();
    return static_cast<int64_t>(info.st_size);
}

void TFileStream::Sync()
{
    if (FInImage)
        return;
    if (::fsync(FHandle) != 0)
        throw EWriteError(std::string(SWriteError) + ": " + std::strerror(errno));
}

}  // namespace lumarc
