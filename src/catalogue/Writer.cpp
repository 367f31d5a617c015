#include "Writer.h"

#include <cstring>
#include <exception>

namespace lumarc {

TWriter::~TWriter()
{
    if (FBufPos > 0 && std::uncaught_exceptions() == 0) {
        try {
            FlushBuffer();
        } catch (...) {
        }
    }
}

void TWriter::Write(const void* buffer, int64_t count)
{
    const auto* in = static_cast<const char*>(buffer);
    while (count > 0) {
        if (FBufPos == kBufferSize)
            FlushBuffer();
        const int64_t n = count < kBufferSize - FBufPos ? count : kBufferSize - FBufPos;
        std::memcpy(FBuffer.data() + FBufPos, in, static_cast<size_t>(n));
        FBufPos += n;
        in += n;
        count -= n;
    }
}

void TWriter::FlushBuffer()
{
    const int64_t n = FBufPos;
    FBufPos = 0;
    FStream.WriteBuffer(FBuffer.data(), n);
}

}  // namespace lumarc
