#include "Exception.h"

namespace lumarc {

std::string ListIndexError(long long index)
{
    return "List index out of bounds (" + std::to_string(index) + ")";
}

}  // namespace lumarc
