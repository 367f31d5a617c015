#include "IndexedStream.h"

#include <string>

#include "Coding.h"
#include "MemoryStream.h"

namespace lumarc {

namespace {

TIndexEntry DecodeEntry(const uint8_t* raw)
{
    TIndexEntry entry;
    entry.RecordType = GetInt16LE(raw);
    entry.Reserved = static_cast<uint16_t>(GetInt16LE(raw + 2));
    entry.Offset = GetInt32LE(raw + 4);
    return entry;
}

}  // namespace

TIndexedStream::TIndexedStream(TStream& dataStream, TStream& indexStream, bool useIndexDirectly)
    : FDataStream(dataStream), FIndexStream(&indexStream)
{
    if (!useIndexDirectly) {
        // In one read: a large index copied block by block into a growing stream spent more
        // time reallocating than reading.
        indexStream.SetPosition(0);
        std::string bytes(static_cast<size_t>(indexStream.Size()), '\0');
        indexStream.ReadBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
        FOwnedIndex = std::make_unique<TMemoryStream>(std::move(bytes));
        // Entries added later go after the copied ones.
        FOwnedIndex->Seek(0, TSeekOrigin::soEnd);
        FIndexStream = FOwnedIndex.get();
    }
}

TIndexedStream::~TIndexedStream() = default;

bool TIndexedStream::ReadEntry(TIndexEntry& entry)
{
    uint8_t raw[TIndexEntry::kSize];
    if (FIndexStream->Read(raw, TIndexEntry::kSize) != TIndexEntry::kSize)
        return false;
    entry = DecodeEntry(raw);
    return true;
}

bool TIndexedStream::FindEntry(std::string_view index, TIndexEntry& key, size_t* after)
{
    // Scanned in place: the outline's entry is the last of a large index, and reading up to
    // it entry by entry through the stream cost a call per entry.
    const auto* raw = reinterpret_cast<const uint8_t*>(index.data());
    const size_t whole = index.size() / TIndexEntry::kSize * TIndexEntry::kSize;
    for (size_t at = 0; at < whole; at += TIndexEntry::kSize) {
        if (GetInt16LE(raw + at) == key.RecordType) {
            key = DecodeEntry(raw + at);
            if (after)
                *after = at + TIndexEntry::kSize;
            return true;
        }
    }
    return false;
}

bool TIndexedStream::FindInCopy(TIndexEntry& key)
{
    const std::string& bytes = FOwnedIndex->Bytes();
    size_t after = bytes.size();
    const bool found = FindEntry(bytes, key, &after);
    FOwnedIndex->SetPosition(static_cast<int64_t>(after));
    return found;
}

bool TIndexedStream::FindEntry(TIndexEntry& key)
{
    if (FOwnedIndex)
        return FindInCopy(key);
    FIndexStream->SetPosition(0);
    TIndexEntry entry;
    while (ReadEntry(entry)) {
        if (entry.RecordType == key.RecordType) {
            key = entry;
            return true;
        }
    }
    return false;
}

void TIndexedStream::AddEntry(int16_t recordType, int32_t offset)
{
    uint8_t raw[TIndexEntry::kSize] = {};
    PutInt16LE(raw, recordType);
    PutInt32LE(raw + 4, offset);
    FIndexStream->WriteBuffer(raw, TIndexEntry::kSize);
}

std::vector<TIndexEntry> TIndexedStream::Entries()
{
    std::vector<TIndexEntry> entries;
    FIndexStream->SetPosition(0);
    TIndexEntry entry;
    while (ReadEntry(entry))
        entries.push_back(entry);
    return entries;
}

}  // namespace lumarc
