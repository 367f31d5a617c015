#pragma once
// The error a print job raises when the printer will not start, continue or finish it.

#include "platform/Exception.h"

namespace lumarc {

LUMARC_DECLARE_ERROR(EPrinter, Exception);

}  // namespace lumarc
