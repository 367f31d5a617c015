#pragma once
// The install dialog's paths and texts pass between Qt's strings and the host's byte strings,
// which are UTF-8 on this system.

#include <QString>

#include <string>

namespace lumarc {

inline QString Local(const std::string& text)
{
    return QString::fromStdString(text);
}

inline std::string Host(const QString& text)
{
    return text.toStdString();
}

}  // namespace lumarc
