#pragma once

#include <array>
#include <cstdint>

#include "Stream.h"

namespace lumarc {

// Writes a record body through a 4096-byte buffer. The bytes reach the stream when the
// buffer fills and at FlushBuffer; release without FlushBuffer flushes too but cannot report.
class TWriter {
public:
    static constexpr int64_t kBufferSize = 4096;

    explicit TWriter(TStream& stream) : FStream(stream) {}
    ~TWriter();
    TWriter(const TWriter&) = delete;
    TWriter& operator=(const TWriter&) = delete;

    void Write(const void* buffer, int64_t count);
    void FlushBuffer();

private:
    TStream& FStream;
    std::array<char, kBufferSize> FBuffer{};
    int64_t FBufPos = 0;
};

}  // namespace lumarc
