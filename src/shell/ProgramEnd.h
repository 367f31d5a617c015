#pragma once
// Raised where the program must end with an exit code instead of running on, so that the
// stack unwinds and the windows close in order before main returns the code.

#include "platform/Exception.h"

namespace lumarc {

class EProgramEnd : public Exception {
public:
    EProgramEnd(const std::string& message, int exitCode) : Exception(message), FExitCode(exitCode) {}
    int ExitCode() const { return FExitCode; }

private:
    int FExitCode;
};

}  // namespace lumarc
