#pragma once

#include <cstddef>
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

    int Count() const { return static_cast<int>(FCaptionAt.size()); }
    int32_t Ref(int index) const;
    std::string Caption(int index) const;

private:
    TStoredOutline() = default;

    std::shared_ptr<const TMappedFile> FData;
    std::vector<uint32_t> FCaptionAt;  // where each caption's length byte lies in the file
    // The references as stored, read where they lie: copied, they took fresh memory, which cost
    // more than unscrambling each one where the search asks for it.
    const uint8_t* FRefs = nullptr;
};

}  // namespace lumarc
