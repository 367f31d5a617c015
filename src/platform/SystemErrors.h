#pragma once
// What a failed system call means to the user, in German: the one mapping that the install
// dialog, the file copy and the settings store share, so that a reason reads the same
// wherever it is said.

#include <string>

namespace lumarc {

// "Der Datenträger ist voll", "Das Ziel ist schreibgeschützt", "Zugriff verweigert",
// "nicht gefunden", "Lesefehler – ist der Datenträger noch eingelegt?", or for any other
// error "Systemfehler Nummer N".
std::string SystemErrorText(int error);

// "Das Verzeichnis DIR ist nicht erreichbar: REASON.", the reason found by looking at it.
std::string UnreachableDirectory(const std::string& dir);

// Raises EInOutError with SystemErrorText(error).
[[noreturn]] void RaiseSystemError(int error);

}  // namespace lumarc
