#include "Iconv.h"

#include <cerrno>

#include "Exception.h"

namespace lumarc {

TIconv::TIconv(const char* toCode, const char* fromCode) : FHandle(iconv_open(toCode, fromCode))
{
    if (FHandle == reinterpret_cast<iconv_t>(-1))
        throw Exception(std::string("Code page conversion not available: ") + fromCode + " to " + toCode);
}

TIconv::~TIconv()
{
    iconv_close(FHandle);
}

bool TIconv::Convert(std::string_view in, std::string& out)
{
    iconv(FHandle, nullptr, nullptr, nullptr, nullptr);  // initial shift state
    // glibc's prototype is not const-correct; it never writes through the input pointer.
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    char buffer[1024];
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t result = iconv(FHandle, &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<size_t>(outPtr - buffer));
        if (result == static_cast<size_t>(-1) && errno != E2BIG)
            return false;
    }
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    const size_t flushed = iconv(FHandle, nullptr, nullptr, &outPtr, &outLeft);
    out.append(buffer, static_cast<size_t>(outPtr - buffer));
    return flushed != static_cast<size_t>(-1);
}

}  // namespace lumarc
