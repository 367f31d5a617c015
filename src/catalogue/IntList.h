#pragma once

#include <cstdint>
#include <vector>

#include "Reader.h"
#include "Writer.h"

namespace lumarc {

// A persistent list of 32-bit integers; its image is int32 N, then the N values.
class TIntList {
public:
    static constexpr int kMaxCount = 134217727;

    int Count() const { return static_cast<int>(FItems.size()); }
    // Index errors raise EListError.
    int32_t operator[](int index) const;
    int32_t Items(int index) const { return (*this)[index]; }
    void SetItem(int index, int32_t value);
    int Add(int32_t value);
    void Insert(int index, int32_t value);
    void Delete(int index);
    void Clear() { FItems.clear(); }
    // Raises ERangeError "Range check error" outside 0..Count-1 and changes nothing.
    void Increment(int index);

    void WriteData(TWriter& writer) const;
    void ReadData(TReader& reader);

    void Assign(const TIntList& source) { FItems = source.FItems; }
    const std::vector<int32_t>& Values() const { return FItems; }
    bool operator==(const TIntList&) const = default;

private:
    std::vector<int32_t> FItems;
};

}  // namespace lumarc
