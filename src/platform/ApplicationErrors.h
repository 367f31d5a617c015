#pragma once
// The program-wide handler for errors that no code caught on the user-interface thread. The
// install dialog installs it when it is created; until then, and after it is gone, an error
// reaching it is written to standard error. Every error it handles is written there too, so
// that a failure is never invisible.

#include <exception>
#include <functional>

namespace lumarc {

using TExceptionHook = std::function<void(const std::exception& error)>;

// Returns the hook it replaces.
TExceptionHook SetApplicationExceptionHook(TExceptionHook hook);
// Reports the error on standard error, then hands it to the hook.
void HandleApplicationException(const std::exception& error);

// Runs `action`; an error leaving it goes to HandleApplicationException.
template <typename F>
void GuardedCall(F&& action)
{
    try {
        action();
    } catch (const std::exception& error) {
        HandleApplicationException(error);
    }
}

}  // namespace lumarc
