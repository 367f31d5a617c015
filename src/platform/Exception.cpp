#include "Exception.h"

#include <cerrno>

namespace lumarc {

std::string ListIndexError(long long index)
{
    return "List index out of bounds (" + std::to_string(index) + ")";
}

std::string InOutErrorMessage(int error)
{
    switch (error) {
    case ENOENT:
        return "File not found";
    case EACCES:
    case EPERM:
        return "File access denied";
    case EMFILE:
        return "Too many open files";
    case ENOSPC:
        return "Disk full";
    default:
        return "I/O error " + std::to_string(error);
    }
}

}  // namespace lumarc
