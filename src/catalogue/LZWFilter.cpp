#include "LZWFilter.h"

#include <vector>

#include "FilterError.h"

namespace lumarc {

void FilterBytes(void* buffer, int64_t count)
{
    auto* p = static_cast<uint8_t*>(buffer);
    for (int64_t i = 0; i < count; ++i)
        p[i] ^= kFilterKey;
}

TLZWFilter::TLZWFilter(TStream& stream, uint16_t mode) : TFilter(stream), FMode(mode)
{
    if (mode != 0 && mode % 2 == 0)
        throw ELZWFilterError("Fehler beim Erstellen des Streams!");
}

int64_t TLZWFilter::Read(void* buffer, int64_t count)
{
    if (FMode != 0)
        throw ELZWFilterError("Falscher StreamModus!");
    const int64_t n = Stream().Read(buffer, count);
    FilterBytes(buffer, n);
    return n;
}

int64_t TLZWFilter::Write(const void* buffer, int64_t count)
{
    if (FMode % 2 == 0)
        throw ELZWFilterError("Falscher StreamModus!");
    if (count <= 0)
        return count;
    // The caller's bytes stay untouched: filter a copy.
    const auto* in = static_cast<const uint8_t*>(buffer);
    std::vector<uint8_t> scrambled(in, in + count);
    FilterBytes(scrambled.data(), count);
    try {
        Stream().WriteBuffer(scrambled.data(), count);
    } catch (...) {
        throw ELZWFilterError("Konnte nicht in den Stream schreiben!");
    }
    return count;
}

}  // namespace lumarc
