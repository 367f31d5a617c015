#include "MemoryStream.h"

#include <algorithm>
#include <cstring>

namespace lumarc {

int64_t TMemoryStream::ReadAt(int64_t offset, void* buffer, int64_t count)
{
    const int64_t size = Size();
    if (offset < 0 || count <= 0 || offset >= size)
        return 0;
    const int64_t n = std::min(count, size - offset);
    std::memcpy(buffer, FData.data() + offset, static_cast<size_t>(n));
    return n;
}

int64_t TMemoryStream::Read(void* buffer, int64_t count)
{
    const int64_t n = ReadAt(FPosition, buffer, count);
    FPosition += n;
    return n;
}

int64_t TMemoryStream::Write(const void* buffer, int64_t count)
{
    if (count <= 0 || FPosition < 0)
        return 0;
    const auto end = static_cast<size_t>(FPosition + count);
    if (end > FData.size())
        FData.resize(end);
    std::memcpy(FData.data() + FPosition, buffer, static_cast<size_t>(count));
    FPosition += count;
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin)
{
    switch (origin) {
    case TSeekOrigin::soBeginning: FPosition = offset; break;
    case TSeekOrigin::soCurrent: FPosition += offset; break;
    case TSeekOrigin::soEnd: FPosition = Size() + offset; break;
    }
    return FPosition;
}

}  // namespace lumarc
