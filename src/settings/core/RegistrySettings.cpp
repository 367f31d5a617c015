#include "RegistrySettings.h"

#include "RegKey.h"
#include "Settings.h"

namespace lumarc {

namespace {

constexpr std::size_t kDestinationPathBuffer = 512;
constexpr std::size_t kVolumeLabelBuffer = 13;

// Runs `use` on the open key and closes it afterwards, also when `use` raises.
template <typename Use>
void UseSettingsKey(TRegKey& key, Use use)
{
    try {
        use(key);
    } catch (...) {
        key.Close();
        throw;
    }
    key.Close();
}

}  // namespace

void LoadSettings()
{
    TRegKey key(HKEY_LOCAL_MACHINE, kSettingsKey);
    if (key.LastError != ERROR_SUCCESS)
        return;
    UseSettingsKey(key, [](TRegKey& key) {
        TSettings& settings = Settings();
        settings.DefaultDestinationPath =
            key.ReadString("DefaultDestinationPath", settings.DefaultDestinationPath, kDestinationPathBuffer);
        settings.ShowHints = key.ReadInteger("ShowHints", 1);
        settings.CDVolumeLabel = key.ReadString("CDVolumeLabel", settings.CDVolumeLabel, kVolumeLabelBuffer);
        // Said once, after every readable value has been taken over.
        const std::vector<std::string> skipped = key.SkippedLines();
        if (!skipped.empty())
            throw ERegKey(SettingsLinesSkipped(key.Key, skipped));
    });
}

std::string SettingsLinesSkipped(const std::string& file, const std::vector<std::string>& lines)
{
    std::string text = "In der Einstellungsdatei " + file + " kann nicht gelesen werden: ";
    for (size_t i = 0; i < lines.size() && i < 3; ++i)
        text += (i ? "; " : "") + lines[i];
    if (lines.size() > 3)
        text += "; und " + std::to_string(lines.size() - 3) + " weitere Zeilen";
    return text + ". Alle anderen Einstellungen gelten; die Datei bleibt beim nächsten Speichern als " + file +
           ".bak erhalten";
}

void SaveSettings()
{
    // Saving is the user's explicit wish, so a key file that could not be read at start is
    // replaced now; a key that cannot be written at all must not pass as saved.
    TRegKey key;
    key.CreateAnew(HKEY_LOCAL_MACHINE, kSettingsKey);
    if (key.LastError != ERROR_SUCCESS)
        throw ERegKey(SSettingsNotSaved);
    UseSettingsKey(key, [](TRegKey& key) {
        const TSettings& settings = Settings();
        key.WriteString("DefaultDestinationPath", settings.DefaultDestinationPath);
        key.WriteInteger("ShowHints", settings.ShowHints);
        key.WriteString("CDVolumeLabel", settings.CDVolumeLabel);
    });
}

}  // namespace lumarc
