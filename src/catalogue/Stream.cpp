#include "Stream.h"

#include <vector>

#include "platform/Exception.h"

namespace lumarc {

int64_t TStream::ReadAt(int64_t offset, void* buffer, int64_t count)
{
    const int64_t saved = Position();
    Seek(offset, TSeekOrigin::soBeginning);
    const int64_t n = Read(buffer, count);
    Seek(saved, TSeekOrigin::soBeginning);
    return n;
}

int64_t TStream::Size()
{
    const int64_t saved = Seek(0, TSeekOrigin::soCurrent);
    const int64_t size = Seek(0, TSeekOrigin::soEnd);
    Seek(saved, TSeekOrigin::soBeginning);
    return size;
}

void TStream::ReadBuffer(void* buffer, int64_t count)
{
    if (count != 0 && Read(buffer, count) != count)
        throw EReadError(SReadError);
}

void TStream::WriteBuffer(const void* buffer, int64_t count)
{
    if (count != 0 && Write(buffer, count) != count)
        throw EWriteError(SWriteError);
}

int64_t TStream::CopyFrom(TStream& source, int64_t count)
{
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    constexpr int64_t kBlock = 61440;
    std::vector<char> buffer(static_cast<size_t>(count < kBlock ? count : kBlock));
    int64_t left = count;
    while (left > 0) {
        const int64_t n = left < kBlock ? left : kBlock;
        source.ReadBuffer(buffer.data(), n);
        WriteBuffer(buffer.data(), n);
        left -= n;
    }
    return count;
}

}  // namespace lumarc
