#pragma once
// The index file: no header, 8-byte entries of record type (int16), two reserved bytes and
// the body's absolute offset in the data file (int32), in the order the records were stored.

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "Stream.h"

namespace lumarc {

struct TIndexEntry {
    static constexpr int kSize = 8;
    int16_t RecordType = 0;
    uint16_t Reserved = 0;
    int32_t Offset = 0;
};

class TMemoryStream;

class TIndexedStream {
public:
    // Copying mode (useIndexDirectly false) reads the whole index into memory once.
    TIndexedStream(TStream& dataStream, TStream& indexStream, bool useIndexDirectly);
    ~TIndexedStream();
    TIndexedStream(const TIndexedStream&) = delete;
    TIndexedStream& operator=(const TIndexedStream&) = delete;

    TStream& DataStream() const { return FDataStream; }
    TStream& IndexStream() const { return *FIndexStream; }

    // The first entry in file order of the key's record type; only the type word is compared.
    // Leaves the index after the match, or at its end. Trailing bytes that make no whole
    // entry are not an entry.
    bool FindEntry(TIndexEntry& key);
    // The same over an index file's bytes held in memory; `after`, when given, receives where
    // the entry found ends.
    static bool FindEntry(std::string_view index, TIndexEntry& key, size_t* after = nullptr);
    void AddEntry(int16_t recordType, int32_t offset);
    // Every whole entry, in file order.
    std::vector<TIndexEntry> Entries();

private:
    bool ReadEntry(TIndexEntry& entry);
    bool FindInCopy(TIndexEntry& key);

    TStream& FDataStream;
    std::unique_ptr<TMemoryStream> FOwnedIndex;
    TStream* FIndexStream;
};

}  // namespace lumarc
