#include "OutlineEntries.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "IntList.h"
#include "StoredBytes.h"

namespace lumarc {

namespace {

// A string list's count as loading reads it: none for 0 or below, and no more than the bytes
// left, since every string takes its length byte.
bool StringCount(TStoredBytes& body, int32_t& count)
{
    if (!body.Int32(count))
        return false;
    count = std::max(count, 0);
    return count <= body.Remaining();
}

// A list of whole numbers, passed over: its count, then the numbers.
bool PassIntList(TStoredBytes& body)
{
    int32_t count;
    return body.Int32(count) && count <= TIntList::kMaxCount && body.Skip(int64_t{count} * 4);
}

}  // namespace

bool ReadOutlineEntries(std::string_view stored, TCaptionList& entries)
{
    // The outline in stored order: the number of top-level nodes, the captions, the second
    // texts when there are any, parents, first children, child counts, dates, references.
    TStoredBytes body(stored);
    int32_t roots;
    int32_t count;
    if (!body.Int32(roots) || !StringCount(body, count))
        return false;
    // Where each caption ends once the length bytes between them are gone; then the captions
    // are copied behind each other.
    const uint8_t* const first = body.Take(0);
    std::vector<uint32_t> ends;
    ends.reserve(static_cast<size_t>(count));
    uint32_t total = 0;
    for (int32_t i = 0; i < count; ++i) {
        uint8_t length;
        if (!body.Byte(length) || !body.Skip(length))
            return false;
        total += length;
        ends.push_back(total);
    }
    // A copy of a length the compiler knows below 256 is one it inlines with a start that costs
    // more than a caption; a fixed block costs two moves, its tail overwritten by the next.
    constexpr size_t kBlock = 32;
    const uint8_t* const storedEnd = body.Take(0) + body.Remaining();
    std::string chars(total + kBlock, '\0');
    const uint8_t* from = first;
    char* to = chars.data();
    for (int32_t i = 0; i < count; ++i) {
        const size_t length = *from++ ^ kFilterKey;
        if (length <= kBlock && storedEnd - from >= static_cast<ptrdiff_t>(kBlock))
            std::memcpy(to, from, kBlock);
        else
            std::memcpy(to, from, length);
        from += length;
        to += length;
    }
    chars.resize(total);
    FilterBytes(chars.data(), static_cast<int64_t>(chars.size()));
    uint8_t hasTexts2;
    int32_t count2 = 0;
    if (!body.Byte(hasTexts2) || (hasTexts2 != 0 && !(StringCount(body, count2) && body.PassLines(count2))))
        return false;
    for (int list = 0; list < 4; ++list)
        if (!PassIntList(body))
            return false;
    const uint8_t* stored4 = body.Take(int64_t{count} * 4);
    if (!stored4)
        return false;
    std::vector<int32_t> refs(static_cast<size_t>(count));
    for (size_t i = 0; i < refs.size(); ++i) {
        uint8_t bytes[4];
        for (size_t b = 0; b < 4; ++b)
            bytes[b] = stored4[i * 4 + b] ^ kFilterKey;
        refs[i] = GetInt32LE(bytes);
    }
    TCaptionList read;
    read.Assign(std::move(chars), std::move(ends));
    read.SetObjects(std::move(refs));
    entries = std::move(read);
    return true;
}

}  // namespace lumarc
