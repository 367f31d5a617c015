#pragma once
// One glibc iconv conversion descriptor. A descriptor carries shift state and must not be
// used by two threads at once; CodePage.cpp keeps one per thread and direction.

#include <iconv.h>

#include <string>
#include <string_view>

namespace lumarc {

class TIconv {
public:
    TIconv(const char* toCode, const char* fromCode);
    ~TIconv();
    TIconv(const TIconv&) = delete;
    TIconv& operator=(const TIconv&) = delete;

    // Appends the conversion of all of `in` to `out`. False, with `out` holding whatever was
    // converted before the fault, when `in` holds a sequence that is invalid, incomplete or
    // not representable in the target code set.
    bool Convert(std::string_view in, std::string& out);

private:
    iconv_t FHandle;
};

}  // namespace lumarc
