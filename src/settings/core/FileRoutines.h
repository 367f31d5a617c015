#pragma once
// File routines of the installer and the start-up: forced deletion, deleting a directory tree,
// copying a file in blocks.

#include <functional>
#include <string>

namespace lumarc {

// Shows a message to the user; the viewer puts up a message box, the default prints
// "caption: text" on standard error.
using TMessageHook = std::function<void(const std::string& text, const std::string& caption)>;

// Deletes a file, whatever its permissions; failures are ignored. A symbolic link is removed
// itself.
void DeleteFileForced(const std::string& fileName);

// Deletes the directory `dir` with everything below it, depth first, making each directory
// writable first so that read-only directories go too. A symbolic link is removed itself and
// never followed, so nothing outside the tree is touched. When a directory cannot be removed
// `report` gets "FehlerNummer: " and the errno value, captioned "Verzeichnis löschen" (an empty
// one prints it); nothing is raised.
void DeleteTree(const std::string& dir, const TMessageHook& report = {});
// The installer's entry point; only calls DeleteTree.
void DeleteDirectory(const std::string& dir, const TMessageHook& report = {});

// Copies `source` to `dest` in blocks of 2048 bytes through CopyFileSafely: `dest` is replaced
// only by a complete copy. A source that cannot be opened (or is a directory) makes it return
// silently without creating `dest`; other failures raise EInOutError with the German reason.
void CopyFileBlocks(const std::string& source, const std::string& dest);

}  // namespace lumarc
