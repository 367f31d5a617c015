#pragma once
// The settings kept between runs: "DefaultDestinationPath", "ShowHints" and "CDVolumeLabel"
// under one registry key. The update date is not kept.

#include <string>
#include <vector>

#include "RegKey.h"

namespace lumarc {

inline const char* const kSettingsKey = "SOFTWARE\\Brimvale\\Lumarc32\\2.0";

// Reads the kept settings into Settings(), creating the key when it does not exist. A key that
// cannot be opened or created (its file unreadable) leaves the settings as they are, silently,
// and the file untouched. A missing value keeps the current setting ("ShowHints" becomes 1).
// A value that cannot be read raises ERegKey after the values before it were taken over; lines
// of the file that cannot be read raise ERegKey (SettingsLinesSkipped) after all the others.
void LoadSettings();

// The message for a settings file with lines that cannot be read; without a final period.
std::string SettingsLinesSkipped(const std::string& file, const std::vector<std::string>& lines);

inline const char* const SSettingsNotSaved = "Die Einstellungen konnten nicht gespeichert werden!";

// Writes the kept settings. A key file that cannot be read or is corrupt is replaced; a key
// that cannot be created raises ERegKey "Die Einstellungen konnten nicht gespeichert werden!",
// a failed write ERegKey "Fehler beim Schreiben des RegistryStrings!".
void SaveSettings();

}  // namespace lumarc
