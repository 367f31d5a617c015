#include "FileHandle.h"

#include <unistd.h>

#include <cerrno>

namespace lumarc {

TFileHandle::~TFileHandle()
{
    if (FFd >= 0)
        ::close(FFd);
}

int TFileHandle::Close()
{
    if (FFd < 0)
        return EBADF;
    const int result = ::close(FFd);
    FFd = -1;
    return result == 0 ? 0 : errno;
}

}  // namespace lumarc
