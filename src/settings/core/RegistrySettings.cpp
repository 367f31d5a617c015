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
    });
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
