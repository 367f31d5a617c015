#include "Settings.h"

namespace lumarc {

TSettings& Settings()
{
    static TSettings settings;
    return settings;
}

TDateTime DefaultRecordDate()
{
    static const TDateTime date = StrToDate(kDefaultDateText);
    return date;
}

}  // namespace lumarc
