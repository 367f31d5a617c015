#pragma once
// The column texts of the file list: printf-like field formats ("%-12.12s", "%9d"), the
// date-time formats ("mm.dd.yy", "t") on packed file times, and the attribute letters.
// The formats may come from an event handler, so they are interpreted here, never handed to
// the C library's printf.

#include <QString>

#include <cstdint>
#include <ctime>

namespace lumarc {

// The format's one field ("%", flags "-" and "0", width, "." precision, then "s", "d" or "u")
// filled with `value`; "%%" is a percent sign and every other character stands for itself.
QString FormatField(const QString& format, const QString& value);
QString FormatField(const QString& format, int64_t value);

// The packed date and time of the file system (date in the high word: years since 1980 << 9 |
// month << 5 | day; time in the low word: hour << 11 | minute << 5 | second / 2).
uint32_t PackFileTime(std::time_t time);
// A date-time format on a packed time: "d", "dd", "m", "mm" (minutes right after an hour),
// "yy", "yyyy", "h", "hh", "n", "nn", "s", "ss", "t" (the short time "hh:mm"); text in
// quotes and every other character stand for themselves.
QString FormatFileTime(const QString& format, uint32_t packed);

// The template with the letters r, h, s and a (in this order; a lower-case occurrence first,
// else an upper-case one) replaced by a blank when the file lacks that attribute.
QString AttrText(const QString& templ, uint32_t attr);

}  // namespace lumarc
