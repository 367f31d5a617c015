#pragma once
// The program's version, as the about box and lumarc-cli --version give it: "2.03".

#include <string>

namespace lumarc {

inline constexpr int kMajorVersion = 2;
inline constexpr int kMinorVersion = 3;

// The minor version with at least two digits.
inline std::string ProgramVersion()
{
    const std::string minor = std::to_string(kMinorVersion);
    return std::to_string(kMajorVersion) + "." + (minor.size() < 2 ? "0" + minor : minor);
}

}  // namespace lumarc
