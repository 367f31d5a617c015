#pragma once

#include <cstdint>

#include "IntList.h"
#include "settings/core/DateTime.h"

namespace lumarc {

// A date as one int32: (Year shl 16) or (Month shl 8) or Day. 24 December 1995 is 0x07CB0C18.
int32_t PackDate(TDateTime date);
// False when the value is not a valid calendar date.
bool TryUnpackDate(int32_t packed, TDateTime& date);
// Raises EConvertError on a value that is not a valid calendar date.
TDateTime UnpackDate(int32_t packed);

// A persistent list of dates, kept packed; its image is that of its TIntList.
class TDateList {
public:
    int Count() const { return FPacked.Count(); }
    TDateTime Items(int index) const { return UnpackDate(FPacked[index]); }
    void Insert(int index, TDateTime date) { FPacked.Insert(index, PackDate(date)); }
    void SetItem(int index, TDateTime date) { FPacked.SetItem(index, PackDate(date)); }
    int32_t Packed(int index) const { return FPacked[index]; }
    const TIntList& PackedList() const { return FPacked; }

    void WriteData(TWriter& writer) const { FPacked.WriteData(writer); }
    void ReadData(TReader& reader) { FPacked.ReadData(reader); }

    void Assign(const TDateList& source) { FPacked.Assign(source.FPacked); }
    bool operator==(const TDateList&) const = default;

private:
    TIntList FPacked;
};

}  // namespace lumarc
