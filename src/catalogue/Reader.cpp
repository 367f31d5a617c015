#include "Reader.h"

#include <cstring>

#include "platform/Exception.h"

namespace lumarc {

TReader::~TReader()
{
    if (FBufEnd > FBufPos) {
        try {
            FStream.Seek(FBufPos - FBufEnd, TSeekOrigin::soCurrent);
        } catch (...) {
            // A failed give-back leaves the stream further on; every reader seeks first.
        }
    }
}

void TReader::ReadThrough(void* buffer, int64_t count)
{
    auto* out = static_cast<char*>(buffer);
    while (count > 0) {
        if (FBufPos == FBufEnd) {
            FBufPos = 0;
            FBufEnd = FStream.Read(FBuffer.get(), FBufferSize);
            if (FBufEnd <= 0) {
                FBufEnd = 0;
                throw EReadError(SReadError);
            }
        }
        const int64_t n = count < FBufEnd - FBufPos ? count : FBufEnd - FBufPos;
        std::memcpy(out, FBuffer.get() + FBufPos, static_cast<size_t>(n));
        FBufPos += n;
        out += n;
        count -= n;
    }
}

int64_t TReader::Remaining()
{
    const int64_t behind = FStream.Size() - FStream.Position();
    return FBufEnd - FBufPos + (behind > 0 ? behind : 0);
}

}  // namespace lumarc
