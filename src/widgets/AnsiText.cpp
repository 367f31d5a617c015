#include "AnsiText.h"

#include "platform/CodePage.h"

namespace lumarc {

QString FromAnsi(std::string_view cp1252)
{
    return QString::fromStdString(Cp1252ToUtf8(cp1252));
}

QString FromOem(std::string_view cp850)
{
    return QString::fromStdString(Cp850ToUtf8(cp850));
}

}  // namespace lumarc
