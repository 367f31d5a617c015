#include "BufferedFileStream.h"

#include <algorithm>
#include <cstring>

#include "platform/Exception.h"

namespace lumarc {

TBufferedFileStream::TBufferedFileStream(const std::string& fileName, int64_t windowSize)
    : FFile(fileName, TFileStream::TMode::fmOpenRead), FWindow(static_cast<size_t>(std::max<int64_t>(windowSize, 1)))
{
    FSize = FFile.Seek(0, TSeekOrigin::soEnd);
}

int64_t TBufferedFileStream::Read(void* buffer, int64_t count)
{
    auto* out = static_cast<char*>(buffer);
    int64_t done = 0;
    while (done < count && FPosition < FSize) {
        if (!Holds(FPosition, 1)) {
            Fill(FPosition);
            if (FWindowLength == 0)
                break;
        }
        const int64_t offset = FPosition - FWindowStart;
        const int64_t n = std::min(count - done, FWindowLength - offset);
        std::memcpy(out + done, FWindow.data() + offset, static_cast<size_t>(n));
        done += n;
        FPosition += n;
    }
    return done;
}

void TBufferedFileStream::Fill(int64_t offset)
{
    FWindowStart = offset;
    FWindowLength = offset < FSize ? FFile.ReadAt(offset, FWindow.data(), static_cast<int64_t>(FWindow.size())) : 0;
    // The file shrank under us: what is gone reads as its end.
    if (FWindowLength <= 0) {
        FWindowLength = 0;
        FSize = std::min(FSize, offset);
    }
}

std::string_view TBufferedFileStream::Peek(int64_t offset, int64_t wanted)
{
    if (offset < 0 || offset >= FSize)
        return {};
    if (!Holds(offset, std::max<int64_t>(wanted, 1)))
        Fill(offset);
    if (!Holds(offset, 1))
        return {};
    const int64_t from = offset - FWindowStart;
    return {FWindow.data() + from, static_cast<size_t>(FWindowLength - from)};
}

int64_t TBufferedFileStream::Write(const void*, int64_t)
{
    throw EWriteError(SWriteError);
}

int64_t TBufferedFileStream::Seek(int64_t offset, TSeekOrigin origin)
{
    const int64_t base = origin == TSeekOrigin::soBeginning ? 0 : origin == TSeekOrigin::soCurrent ? FPosition : FSize;
    const int64_t target = base + offset;
    if (target < 0)
        throw EStreamError("Seek error on \"" + FFile.FileName() + "\": Invalid argument");
    FPosition = target;
    return FPosition;
}

}  // namespace lumarc
