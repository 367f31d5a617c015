#include "DateTime.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "platform/Exception.h"

namespace lumarc {

namespace {

// 1899-12-30, day 0 of a date-time value, counted in days since 1970-01-01.
constexpr int kDelphiEpochOffset = 25569;

bool IsLeap(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

void SkipBlanks(const std::string& s, size_t& pos)
{
    while (pos < s.size() && s[pos] == ' ')
        ++pos;
}

// Up to the first digit that would take the number past 9999, as the date scanner of the
// run-time library does; leading blanks are skipped.
bool ScanNumber(const std::string& s, size_t& pos, int& number, int& digits)
{
    SkipBlanks(s, pos);
    size_t i = pos;
    int n = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9' && n < 1000) {
        n = n * 10 + (s[i] - '0');
        ++i;
    }
    if (i == pos)
        return false;
    digits = static_cast<int>(i - pos);
    pos = i;
    number = n;
    return true;
}

bool ScanSeparator(const std::string& s, size_t& pos)
{
    SkipBlanks(s, pos);
    if (pos < s.size() && s[pos] == '.') {
        ++pos;
        return true;
    }
    return false;
}

}  // namespace

bool TryEncodeDate(int year, int month, int day, TDateTime& result)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return false;
    using namespace std::chrono;
    const sys_days d = std::chrono::year{year} / std::chrono::month{static_cast<unsigned>(month)} /
                       std::chrono::day{static_cast<unsigned>(day)};
    result = static_cast<double>(d.time_since_epoch().count() + kDelphiEpochOffset);
    return true;
}

TDateTime EncodeDate(int year, int month, int day)
{
    TDateTime result;
    if (!TryEncodeDate(year, month, day, result))
        throw EConvertError("Invalid argument to date encode");
    return result;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day)
{
    using namespace std::chrono;
    const auto days = static_cast<long long>(std::floor(value)) - kDelphiEpochOffset;
    const year_month_day ymd{sys_days{std::chrono::days{days}}};
    year = static_cast<int>(ymd.year());
    month = static_cast<int>(static_cast<unsigned>(ymd.month()));
    day = static_cast<int>(static_cast<unsigned>(ymd.day()));
}

int CurrentYear()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_year + 1900;
}

int ExpandTwoDigitYear(int year, int currentYear)
{
    if (year > 99)
        return year;
    const int windowStart = currentYear - 50;
    int result = windowStart - windowStart % 100 + year;
    if (result < windowStart)
        result += 100;
    return result;
}

bool TryStrToDate(const std::string& text, TDateTime& result, int currentYear)
{
    size_t pos = 0;
    int day = 0, month = 0, year = 0, digits = 0;
    if (!ScanNumber(text, pos, day, digits) || !ScanSeparator(text, pos) || !ScanNumber(text, pos, month, digits))
        return false;
    if (ScanSeparator(text, pos)) {
        if (!ScanNumber(text, pos, year, digits))
            return false;
        year = ExpandTwoDigitYear(year, currentYear);
    } else {
        year = currentYear;
    }
    ScanSeparator(text, pos);
    SkipBlanks(text, pos);
    if (pos < text.size())
        return false;
    return TryEncodeDate(year, month, day, result);
}

TDateTime StrToDate(const std::string& text)
{
    TDateTime result;
    if (!TryStrToDate(text, result))
        throw EConvertError("'" + text + "' is not a valid date");
    return result;
}

std::string DateToStr(TDateTime value)
{
    int y, m, d;
    DecodeDate(value, y, m, d);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d.%02d.%02d", d, m, y % 100);
    return buf;
}

std::string DateToIso(TDateTime value)
{
    int y, m, d;
    DecodeDate(value, y, m, d);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", y, m, d);
    return buf;
}

}  // namespace lumarc
