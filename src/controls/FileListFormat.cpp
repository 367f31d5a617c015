#include "FileListFormat.h"

#include "SortFileList.h"

namespace lumarc {

namespace {

struct TField {
    QString Before;
    QString After;
    bool Left = false;
    bool Zero = false;
    int Width = 0;
    int Precision = -1;
    QChar Kind;
    bool Found = false;
};

TField ParseField(const QString& format)
{
    TField field;
    QString* out = &field.Before;
    for (int i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c != '%' || field.Found) {
            if (c == '%' && i + 1 < format.size() && format[i + 1] == '%')
                ++i;
            out->append(c);
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == '%') {
            out->append('%');
            ++i;
            continue;
        }
        int j = i + 1;
        TField spec;
        for (; j < format.size() && (format[j] == '-' || format[j] == '0'); ++j)
            (format[j] == '-' ? spec.Left : spec.Zero) = true;
        for (; j < format.size() && format[j].isDigit() && spec.Width < 1000; ++j)
            spec.Width = spec.Width * 10 + format[j].digitValue();
        if (j < format.size() && format[j] == '.') {
            spec.Precision = 0;
            for (++j; j < format.size() && format[j].isDigit() && spec.Precision < 1000; ++j)
                spec.Precision = spec.Precision * 10 + format[j].digitValue();
        }
        if (j < format.size() && (format[j] == 's' || format[j] == 'd' || format[j] == 'u')) {
            field.Left = spec.Left;
            field.Zero = spec.Zero;
            field.Width = spec.Width;
            field.Precision = spec.Precision;
            field.Kind = format[j];
            field.Found = true;
            out = &field.After;
            i = j;
        } else {
            out->append(c);
        }
    }
    return field;
}

QString Pad(const TField& field, QString text, bool numeric)
{
    if (!numeric && field.Precision >= 0 && text.size() > field.Precision)
        text.truncate(field.Precision);
    if (text.size() < field.Width) {
        const int fill = field.Width - static_cast<int>(text.size());
        if (field.Left)
            text += QString(fill, ' ');
        else if (numeric && field.Zero)
            text = (text.startsWith('-') ? QString("-") + QString(fill, '0') + text.mid(1) : QString(fill, '0') + text);
        else
            text = QString(fill, ' ') + text;
    }
    return field.Before + text + field.After;
}

}  // namespace

QString FormatField(const QString& format, const QString& value)
{
    const TField field = ParseField(format);
    if (!field.Found)
        return field.Before;
    return Pad(field, value, false);
}

QString FormatField(const QString& format, int64_t value)
{
    const TField field = ParseField(format);
    if (!field.Found)
        return field.Before;
    return Pad(field, QString::number(value), field.Kind != 's');
}

uint32_t PackFileTime(std::time_t time)
{
    std::tm local {};
    if (!localtime_r(&time, &local) || local.tm_year < 80)
        return (1u << 5 | 1u) << 16;  // 1 January 1980, the first day the packed form can hold
    const uint32_t date = static_cast<uint32_t>((local.tm_year - 80) << 9 | (local.tm_mon + 1) << 5 | local.tm_mday);
    const uint32_t clock = static_cast<uint32_t>(local.tm_hour << 11 | local.tm_min << 5 | local.tm_sec / 2);
    return date << 16 | (clock & 0xFFFF);
}

QString FormatFileTime(const QString& format, uint32_t packed)
{
    const int year = 1980 + static_cast<int>(packed >> 25);
    const int month = static_cast<int>((packed >> 21) & 0x0F);
    const int day = static_cast<int>((packed >> 16) & 0x1F);
    const int hour = static_cast<int>((packed >> 11) & 0x1F);
    const int minute = static_cast<int>((packed >> 5) & 0x3F);
    const int second = static_cast<int>(packed & 0x1F) * 2;
    auto two = [](int v) { return QString::number(v).rightJustified(2, '0'); };

    QString out;
    bool afterHour = false;
    for (int i = 0; i < format.size();) {
        const QChar c = format[i].toLower();
        int run = 1;
        while (i + run < format.size() && format[i + run].toLower() == c)
            ++run;
        if (format[i] == '"' || format[i] == '\'') {
            const int end = format.indexOf(format[i], i + 1);
            out += format.mid(i + 1, end < 0 ? -1 : end - i - 1);
            i = end < 0 ? static_cast<int>(format.size()) : end + 1;
            continue;
        }
        if (c == 'd') {
            out += run >= 2 ? two(day) : QString::number(day);
        } else if (c == 'm') {
            const int v = afterHour ? minute : month;
            out += run >= 2 ? two(v) : QString::number(v);
            afterHour = false;
        } else if (c == 'y') {
            out += run >= 4 ? QString::number(year) : two(year % 100);
        } else if (c == 'h') {
            out += run >= 2 ? two(hour) : QString::number(hour);
            afterHour = true;
        } else if (c == 'n') {
            out += run >= 2 ? two(minute) : QString::number(minute);
        } else if (c == 's') {
            out += run >= 2 ? two(second) : QString::number(second);
        } else if (c == 't') {
            out += two(hour) + ':' + two(minute);
            run = 1;
        } else {
            out += format.mid(i, run);
        }
        i += run;
    }
    return out;
}

QString AttrText(const QString& templ, uint32_t attr)
{
    QString text = templ;
    const struct {
        QChar Letter;
        uint32_t Bit;
    } letters[] = {{'r', faReadOnly}, {'h', faHidden}, {'s', faSysFile}, {'a', faArchive}};
    for (const auto& l : letters) {
        int at = text.indexOf(l.Letter);
        if (at < 0)
            at = text.indexOf(l.Letter.toUpper());
        if (at >= 0 && !(attr & l.Bit))
            text[at] = ' ';
    }
    return text;
}

}  // namespace lumarc
