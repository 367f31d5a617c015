#pragma once
// The site's style sheet and search script, built in from src/export/assets.

#include <string_view>

namespace lumarc {

extern const std::string_view kSiteStyle;
extern const std::string_view kSiteSearchScript;

}  // namespace lumarc
