#pragma once
// The settings kept between runs: "DefaultDestinationPath", "ShowHints" and "CDVolumeLabel"
// under one registry key. The update date is not kept.

namespace lumarc {

inline const char* const kSettingsKey = "SOFTWARE\\Brimvale\\Lumarc32\\2.0";

// Reads the kept settings into Settings(), creating the key when it does not exist. A key that
// cannot be opened or created (its file unreadable or corrupt) leaves the settings as they
// are, silently, and the file untouched. A missing value keeps the current setting ("ShowHints"
// becomes 1). A value that cannot be read raises ERegKey after the values before it were
// taken over.
void LoadSettings();

// Writes the kept settings. A key that cannot be opened or created skips the save silently;
// a failed write raises ERegKey.
void SaveSettings();

}  // namespace lumarc
