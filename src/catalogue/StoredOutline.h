#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "MappedFile.h"

namespace lumarc {

// The entries of an outline as a search over every one of them needs them, read where the
// outline lies in a mapped data file: each entry's record reference, and its caption only when
// asked for. The tree, second texts and dates a view builds, and a copy of every caption, took
// most of the time a large outline took to load.
class TStoredOutline {
public:
    // The outline stored at `at`: the bytes loading it reads, read in the same order and failing
    // where loading fails (null then; loading it says why).
    static std::shared_ptr<const TStoredOutline> Read(std::shared_ptr<const TMappedFile> data, size_t at);

    int Count() const { return static_cast<int>(FRefs.size()); }
    int32_t Ref(int index) const { return FRefs[static_cast<size_t>(index)]; }
    std::string Caption(int index) const;

private:
    TStoredOutline() = default;

    std::shared_ptr<const TMappedFile> FData;
    std::vector<uint32_t> FCaptionAt;  // where each caption's length byte lies in the file
    std::vector<int32_t> FRefs;
};

}  // namespace lumarc
