#pragma once
// Date-time values as the catalogue and the settings hold them: days since 30 December 1899
// as a double, with the program's fixed short date format "dd.mm.yy".

#include <string>

namespace lumarc {

using TDateTime = double;

// Year 1 to 9999, month 1 to 12, day within the month; false otherwise.
bool TryEncodeDate(int year, int month, int day, TDateTime& result);
// As above, but raises EConvertError "Invalid argument to date encode" on an invalid date.
TDateTime EncodeDate(int year, int month, int day);
// The calendar date of a value; the time of day is dropped.
void DecodeDate(TDateTime value, int& year, int& month, int& day);

int CurrentYear();

// Places a year of at most two digits in the 100-year window that starts 50 years before
// currentYear: in 2026, 76..99 are 1976..1999 and 0..75 are 2000..2075. Larger years stay.
int ExpandTwoDigitYear(int year, int currentYear);

// Reads "d.m.yy" in day-month-year order with "." as separator, as the program's date format
// prescribes, whatever the user's locale: one to four digits per number, blanks around the
// numbers allowed, a two-number text taking the current year. False when the text is not a
// valid date.
bool TryStrToDate(const std::string& text, TDateTime& result, int currentYear = CurrentYear());
// As above, raising EConvertError "'TEXT' is not a valid date".
TDateTime StrToDate(const std::string& text);

// "dd.mm.yy".
std::string DateToStr(TDateTime value);
// "YYYY-MM-DD".
std::string DateToIso(TDateTime value);

}  // namespace lumarc
