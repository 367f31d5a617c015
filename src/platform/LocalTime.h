#pragma once
// The moment something happened, as the trash and the list of installations write it.

#include <ctime>
#include <string>

namespace lumarc {

// Now in local time, "YYYY-MM-DDThh:mm:ss" (ISO 8601 without a zone, as the trash specification
// asks for its deletion date).
inline std::string LocalNowIso()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
    return text;
}

}  // namespace lumarc
