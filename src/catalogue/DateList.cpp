#include "DateList.h"

#include <cstdio>

#include "platform/Exception.h"

namespace lumarc {

int32_t PackDate(TDateTime date)
{
    int year, month, day;
    DecodeDate(date, year, month, day);
    return static_cast<int32_t>(static_cast<uint32_t>(year) << 16 | static_cast<uint32_t>(month) << 8 |
                                static_cast<uint32_t>(day));
}

bool TryUnpackDate(int32_t packed, TDateTime& date)
{
    const auto v = static_cast<uint32_t>(packed);
    return TryEncodeDate(static_cast<int>(v >> 16), static_cast<int>(v >> 8 & 255), static_cast<int>(v & 255), date);
}

TDateTime UnpackDate(int32_t packed)
{
    TDateTime date;
    if (!TryUnpackDate(packed, date))
        throw EConvertError("Invalid argument to date encode");
    return date;
}

}  // namespace lumarc
