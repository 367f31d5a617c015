#pragma once

#include <array>
#include <cstdint>

#include "Stream.h"

namespace lumarc {

// Reads a record body through a 4096-byte buffer. When released it gives back what it read
// ahead, so the stream stands right after the last byte used.
class TReader {
public:
    static constexpr int64_t kBufferSize = 4096;

    explicit TReader(TStream& stream) : FStream(stream) {}
    ~TReader();
    TReader(const TReader&) = delete;
    TReader& operator=(const TReader&) = delete;

    // Exactly count bytes, or EReadError "Stream read error".
    void Read(void* buffer, int64_t count);
    // The bytes left to read, in the buffer and behind it; counts from the data are checked
    // against it before anything is allocated.
    int64_t Remaining();

private:
    TStream& FStream;
    std::array<char, kBufferSize> FBuffer{};
    int64_t FBufPos = 0;
    int64_t FBufEnd = 0;
};

}  // namespace lumarc
