#pragma once
// Despite its name the record filter does not compress: every byte of a record body is
// stored XOR 0x5A, so a stored body is as long as the plain one and may be read from any
// offset.

#include <cstdint>

#include "Filter.h"

namespace lumarc {

inline constexpr uint8_t kFilterKey = 0x5A;

// XORs each byte of a run with the key; the same step serves both directions.
void FilterBytes(void* buffer, int64_t count);

class TLZWFilter : public TFilter {
public:
    // Mode 0 reads; an odd mode writes; an even non-zero mode raises ELZWFilterError.
    TLZWFilter(TStream& stream, uint16_t mode);

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    void Flush() override {}

    uint16_t Mode() const { return FMode; }

private:
    uint16_t FMode;
};

}  // namespace lumarc
