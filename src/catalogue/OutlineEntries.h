#pragma once

#include <string_view>

#include "CaptionList.h"

namespace lumarc {

// The captions of a stored outline, each with its record reference, read from its body held in
// memory as stored, `stored` beginning at the body: what a search over every entry needs,
// without the tree, second texts and dates a view builds, which take most of the time a large
// outline takes to load. False, leaving `entries` as it was, where the body is not well formed;
// loading the outline then raises its error.
bool ReadOutlineEntries(std::string_view stored, TCaptionList& entries);

}  // namespace lumarc
