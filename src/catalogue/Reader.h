#pragma once

#include <cstdint>
#include <cstring>
#include <memory>

#include "Stream.h"

namespace lumarc {

// Reads a record body through a 4096-byte buffer (or a larger one for a body known to be
// large). When released it gives back what it read ahead, so the stream stands right after
// the last byte used.
class TReader {
public:
    static constexpr int64_t kBufferSize = 4096;

    explicit TReader(TStream& stream, int64_t bufferSize = kBufferSize)
        : FStream(stream), FBuffer(new char[static_cast<size_t>(bufferSize)]), FBufferSize(bufferSize)
    {
    }
    ~TReader();
    TReader(const TReader&) = delete;
    TReader& operator=(const TReader&) = delete;

    // Exactly count bytes, or EReadError "Stream read error".
    void Read(void* buffer, int64_t count)
    {
        // Most reads are a few bytes from the buffer: spare them the call.
        if (count <= FBufEnd - FBufPos) {
            // An empty list reads its zero bytes into a buffer that may not exist.
            if (count > 0)
                std::memcpy(buffer, FBuffer.get() + FBufPos, static_cast<size_t>(count));
            FBufPos += count;
            return;
        }
        ReadThrough(buffer, count);
    }
    // The next `count` bytes when the buffer holds them all, taken; else nullptr and nothing
    // taken. Lets a short text be appended straight from the buffer.
    const char* TakeBuffered(int64_t count)
    {
        if (count > FBufEnd - FBufPos)
            return nullptr;
        const char* bytes = FBuffer.get() + FBufPos;
        FBufPos += count;
        return bytes;
    }
    // The bytes already in the buffer: at least that many remain, without asking the stream.
    int64_t Buffered() const { return FBufEnd - FBufPos; }
    // The bytes left to read, in the buffer and behind it; counts from the data are checked
    // against it before anything is allocated.
    int64_t Remaining();

private:
    void ReadThrough(void* buffer, int64_t count);

    TStream& FStream;
    std::unique_ptr<char[]> FBuffer;
    int64_t FBufferSize;
    int64_t FBufPos = 0;
    int64_t FBufEnd = 0;
};

}  // namespace lumarc
