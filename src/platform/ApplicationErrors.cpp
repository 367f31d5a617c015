#include "ApplicationErrors.h"

#include <iostream>

namespace lumarc {

namespace {
TExceptionHook& Hook()
{
    static TExceptionHook hook;
    return hook;
}
}  // namespace

TExceptionHook SetApplicationExceptionHook(TExceptionHook hook)
{
    TExceptionHook old = std::move(Hook());
    Hook() = std::move(hook);
    return old;
}

void HandleApplicationException(const std::exception& error)
{
    std::cerr << "lumarc: " << error.what() << '\n';
    if (Hook())
        Hook()(error);
}

}  // namespace lumarc
