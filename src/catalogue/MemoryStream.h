#pragma once

#include <string>

#include "Stream.h"

namespace lumarc {

// A stream over bytes in memory; it grows as it is written.
class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::string bytes) : FData(std::move(bytes)) {}

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t ReadAt(int64_t offset, void* buffer, int64_t count) override;
    int64_t Size() override { return static_cast<int64_t>(FData.size()); }

    const std::string& Bytes() const { return FData; }

private:
    std::string FData;
    int64_t FPosition = 0;
};

}  // namespace lumarc
