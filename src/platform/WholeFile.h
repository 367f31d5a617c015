#pragma once
// Reading and replacing small files in one piece. Results are 0 or an errno value, so that
// callers can tell "not there" (ENOENT) from "not readable".

#include <string>
#include <string_view>

namespace lumarc {

int ReadWholeFile(const std::string& path, std::string& contents);

// Writes `contents` to a temporary file in the target's directory, flushes it to the disc and
// renames it over `path`: a reader sees the old file or the new one, never a mixture, and a
// crash leaves at most a stray temporary file. When `path` is a symbolic link the file it
// points to is replaced and the link stays. An existing file's permissions are kept; a new
// file is private to the user (0600).
int WriteWholeFileAtomically(const std::string& path, std::string_view contents);

}  // namespace lumarc
