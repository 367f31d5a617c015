#pragma once
// A body held in memory as stored, still scrambled, read the way a record reads it through the
// record filter: each value unscrambled as it is taken. A step fails, taking nothing, where the
// body ends too soon, as reading through the filter raises a read error there; the caller then
// reads it through the filter, which raises the record's own error.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "Coding.h"
#include "LZWFilter.h"

namespace lumarc {

class TStoredBytes {
public:
    static constexpr ptrdiff_t kLongestLine = 1 + kMaxShortString;  // with its length byte
    static constexpr uintptr_t kPrefetchDistance = 4096;

    explicit TStoredBytes(std::string_view stored)
        : FStart(reinterpret_cast<const uint8_t*>(stored.data())), FNext(FStart), FEnd(FNext + stored.size())
    {
    }

    int64_t Remaining() const { return FEnd - FNext; }

    bool Byte(uint8_t& value)
    {
        if (FNext == FEnd)
            return false;
        value = *FNext++ ^ kFilterKey;
        return true;
    }
    bool Int32(int32_t& value)
    {
        if (FEnd - FNext < 4)
            return false;
        uint8_t bytes[4];
        for (uint8_t& b : bytes)
            b = *FNext++ ^ kFilterKey;
        value = GetInt32LE(bytes);
        return true;
    }
    // The next `count` stored bytes, passed over; null where fewer are left.
    const uint8_t* Take(int64_t count)
    {
        if (count < 0 || FEnd - FNext < count)
            return nullptr;
        const uint8_t* taken = FNext;
        FNext += count;
        return taken;
    }
    bool Skip(int64_t count) { return Take(count) != nullptr; }
    // Passes over `count` short strings, each behind its length byte, handing `note` each
    // length byte's place. Each one's place follows from the length before it, so the reads
    // wait on each other: the walk does little else per string. While every string to come
    // fits in what is left, none can leave the body and none is checked; fetching a few
    // kilobytes ahead keeps memory busy meanwhile.
    template <typename TNote>
    bool PassLines(int64_t count, TNote note)
    {
        const uint8_t* next = FNext;
        while (count > 0) {
            int64_t sure = std::min<int64_t>(count, (FEnd - next) / kLongestLine);
            if (sure == 0) {
                if (next == FEnd || FEnd - next - 1 < (*next ^ kFilterKey))
                    return false;
                note(next);
                next += 1 + (*next ^ kFilterKey);
                --count;
                continue;
            }
            count -= sure;
            for (; sure > 0; --sure) {
                note(next);
                // Past the body's end a fetch does no harm; it is an address, never read.
                __builtin_prefetch(
                    reinterpret_cast<const void*>(reinterpret_cast<uintptr_t>(next) + kPrefetchDistance));
                // The empty asm keeps the compiler from folding the step into a three-part
                // address and from narrowing the length again, each a cycle more per string.
                const uint8_t* text = next + 1;
                uint64_t length = *next;
                asm("" : "+r"(text), "+r"(length));
                next = text + (length ^ kFilterKey);
            }
        }
        FNext = next;
        return true;
    }
    bool PassLines(int64_t count)
    {
        return PassLines(count, [](const uint8_t*) {});
    }

protected:
    const uint8_t* FStart;
    const uint8_t* FNext;
    const uint8_t* FEnd;
};

}  // namespace lumarc
