#pragma once
// Copying one file so that nothing is ever lost: the copy is written to a temporary file
// beside the target and renamed over it only once it is complete, so a full disk, a read
// error or a cancel leaves an existing target byte for byte as it was. The copy keeps the
// source's modification time.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace lumarc {

struct TCopyControl {
    size_t BlockSize = 2048;
    // Asked when the target exists, before anything is read or written; false skips the file.
    std::function<bool()> Overwrite;
    // After every block, with the bytes copied so far; false cancels the copy.
    std::function<bool(int64_t copied)> Progress;
};

enum class TCopyOutcome { Copied, Skipped, Cancelled };

// Failures raise EInOutError with the German reason (SystemErrorText). A copy onto the
// source itself leaves the file alone. A target that exists and is no plain file (a device)
// is written in place, never replaced or removed.
TCopyOutcome CopyFileSafely(const std::string& source, const std::string& target, const TCopyControl& control = {});

}  // namespace lumarc
