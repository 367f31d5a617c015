#include "Settings.h"

namespace lumarc {

TSettings& Settings()
{
    static TSettings settings;
    return settings;
}

void SetUpdateDateText(const std::string& text)
{
    const TDateTime date = StrToDate(text);
    Settings().UpdateDateText = text;
    Settings().UpdateDate = date;
}

TDateTime DefaultRecordDate()
{
    static const TDateTime date = StrToDate(kDefaultDateText);
    return date;
}

}  // namespace lumarc
