#include "StoredOutline.h"

#include <algorithm>

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

std::shared_ptr<const TStoredOutline> TStoredOutline::Read(std::shared_ptr<const TMappedFile> data, size_t at)
{
    const std::string_view file = data->Bytes();
    if (at >= file.size())
        return nullptr;
    // The outline in stored order: the number of top-level nodes, the captions, the second texts
    // when there are any, parents, first children, child counts, dates, references.
    TStoredBytes body(file.substr(at));
    int32_t roots;
    int32_t count;
    if (!body.Int32(roots) || !StringCount(body, count))
        return nullptr;
    std::shared_ptr<TStoredOutline> outline(new TStoredOutline);
    outline->FCaptionAt.resize(static_cast<size_t>(count));
    const auto* const start = reinterpret_cast<const uint8_t*>(file.data());
    uint32_t* captionAt = outline->FCaptionAt.data();
    if (!body.PassLines(count, [&](const uint8_t* place) { *captionAt++ = static_cast<uint32_t>(place - start); }))
        return nullptr;
    uint8_t hasTexts2;
    int32_t count2 = 0;
    if (!body.Byte(hasTexts2) || (hasTexts2 != 0 && !(StringCount(body, count2) && body.PassLines(count2))))
        return nullptr;
    for (int list = 0; list < 4; ++list)
        if (!PassIntList(body))
            return nullptr;
    outline->FRefs = body.Take(int64_t{count} * 4);
    if (!outline->FRefs)
        return nullptr;
    outline->FData = std::move(data);
    return outline;
}

int32_t TStoredOutline::Ref(int index) const
{
    uint8_t bytes[4];
    for (size_t b = 0; b < 4; ++b)
        bytes[b] = FRefs[static_cast<size_t>(index) * 4 + b] ^ kFilterKey;
    return GetInt32LE(bytes);
}

std::string TStoredOutline::Caption(int index) const
{
    const char* stored = FData->Bytes().data() + FCaptionAt[static_cast<size_t>(index)];
    std::string caption(stored + 1, static_cast<uint8_t>(*stored ^ kFilterKey));
    FilterBytes(caption.data(), static_cast<int64_t>(caption.size()));
    return caption;
}

}  // namespace lumarc
