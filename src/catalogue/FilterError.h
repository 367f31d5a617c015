#pragma once

#include "platform/Exception.h"

namespace lumarc {

LUMARC_DECLARE_ERROR(EFilterError, Exception);
LUMARC_DECLARE_ERROR(ELZWFilterError, EFilterError);

}  // namespace lumarc
