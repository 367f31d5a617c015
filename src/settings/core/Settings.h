#pragma once
// The program-wide settings with their defaults. They exist before any window does; the
// main window loads the kept ones at start-up and the options dialog saves them.

#include <string>

#include "DateTime.h"

namespace lumarc {

inline const char* const kDefaultDateText = "02.05.96";

// "~/delphi/component" as a full path.
std::string DefaultDestination();

struct TSettings {
    // The old Windows default "c:\delphi\component", below the home directory.
    std::string DefaultDestinationPath = DefaultDestination();
    int ShowHints = 1;  // 0 off, anything else on
    std::string CDVolumeLabel = "TOOLDISC.CD";
    std::string UpdateDateText = kDefaultDateText;
    TDateTime UpdateDate = StrToDate(kDefaultDateText);
};

// The process-wide settings.
TSettings& Settings();

// Takes over a new update date text and the date it stands for, together: an invalid date
// raises EConvertError "'TEXT' is not a valid date" and leaves both as they were.
void SetUpdateDateText(const std::string& text);

// The date a record gets when its source header names none or an invalid one; never changes.
TDateTime DefaultRecordDate();

}  // namespace lumarc
