#pragma once
// The site's style sheet and scripts, built in from src/export/assets.

#include <string_view>

namespace lumarc {

extern const std::string_view kSiteStyle;
extern const std::string_view kSiteSearchScript;
extern const std::string_view kSiteComponentsScript;
extern const std::string_view kSiteLibraryScript;

}  // namespace lumarc
