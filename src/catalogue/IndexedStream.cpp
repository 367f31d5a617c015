#include "IndexedStream.h"

#include "Coding.h"
#include "MemoryStream.h"

namespace lumarc {

TIndexedStream::TIndexedStream(TStream& dataStream, TStream& indexStream, bool useIndexDirectly)
    : FDataStream(dataStream), FIndexStream(&indexStream)
{
    if (!useIndexDirectly) {
        FOwnedIndex = std::make_unique<TMemoryStream>();
        FOwnedIndex->CopyFrom(indexStream, 0);
        FIndexStream = FOwnedIndex.get();
    }
}

TIndexedStream::~TIndexedStream() = default;

bool TIndexedStream::ReadEntry(TIndexEntry& entry)
{
    uint8_t raw[TIndexEntry::kSize];
    if (FIndexStream->Read(raw, TIndexEntry::kSize) != TIndexEntry::kSize)
        return false;
    entry.RecordType = GetInt16LE(raw);
    entry.Reserved = static_cast<uint16_t>(GetInt16LE(raw + 2));
    entry.Offset = GetInt32LE(raw + 4);
    return true;
}

bool TIndexedStream::FindEntry(TIndexEntry& key)
{
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
