#include "Settings.h"

#include "PathRoutines.h"

namespace lumarc {

std::string DefaultDestination()
{
    return HostDestinationPath("c:\\delphi\\component");
}

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
