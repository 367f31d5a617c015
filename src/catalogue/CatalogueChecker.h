#pragma once
// Reads a whole catalogue and lists what is wrong with it, one line per problem: header,
// index entries, the outline record and its invariants, every reference and date. It never
// raises on bad data: whatever the files hold becomes a line.

#include <string>
#include <vector>

#include "Stream.h"

namespace lumarc {

class TCatalogueChecker {
public:
    static std::vector<std::string> Check(TStream& data, TStream& index);
};

}  // namespace lumarc
