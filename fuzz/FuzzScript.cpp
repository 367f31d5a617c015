// Arbitrary text as a catalogue script. The builder either refuses it with its own error or
// builds a catalogue, and whatever it builds must pass the checker without a single problem.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "catalogue/CatalogueBuilder.h"
#include "catalogue/CatalogueChecker.h"
#include "catalogue/MemoryStream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    lumarc::TCatalogueBuilder builder;
    builder.AddSource("fuzz.txt", std::string(reinterpret_cast<const char*>(bytes), size));
    lumarc::TCatalogueBuilder::TImages images;
    try {
        images = builder.Build();
    } catch (const lumarc::EBuildError&) {
        return 0;
    }
    lumarc::TMemoryStream data, index;
    data.Write(images.Data.data(), static_cast<int64_t>(images.Data.size()));
    index.Write(images.Index.data(), static_cast<int64_t>(images.Index.size()));
    const std::vector<std::string> problems = lumarc::TCatalogueChecker::Check(data, index);
    if (!problems.empty()) {
        std::fprintf(stderr, "built catalogue fails its check: %s\n", problems.front().c_str());
        std::abort();
    }
    return 0;
}
