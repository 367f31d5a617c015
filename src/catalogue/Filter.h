#pragma once

#include "Stream.h"

namespace lumarc {

// A stream that passes everything to another stream, for filters to transform on the way.
// The underlying stream is borrowed, never released.
class TFilter : public TStream {
public:
    explicit TFilter(TStream& stream) : FStream(stream) {}

    int64_t Read(void* buffer, int64_t count) override { return FStream.Read(buffer, count); }
    int64_t Write(const void* buffer, int64_t count) override { return FStream.Write(buffer, count); }
    int64_t Seek(int64_t offset, TSeekOrigin origin) override { return FStream.Seek(offset, origin); }
    // Every string read asks for the size: the underlying stream may know it without seeking.
    int64_t Size() override { return FStream.Size(); }
    // A hook for filters that hold back state; nothing calls it.
    virtual void Flush() = 0;

    TStream& Stream() const { return FStream; }

private:
    TStream& FStream;
};

}  // namespace lumarc
