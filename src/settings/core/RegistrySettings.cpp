#include "RegistrySettings.h"

#include "RegKey.h"
#include "Settings.h"

namespace lumarc {

namespace {

constexpr std::size_t kDestinationPathBuffer = 512;
constexpr std::size_t kVolumeLabelBuffer = 13;

// Runs `use` on the open key and closes it afterwards, also when `use` raises.
template <typename Use>
void WithSettingsKey(Use use)
{
    TRegKey key(HKEY_LOCAL_MACHINE, kSettingsKey);
    if (key.LastError != ERROR_SUCCESS)
        return;
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
    WithSettingsKey([](TRegKey& key) {
        TSettings& settings = Settings();
        settings.DefaultDestinationPath =
            key.ReadString("DefaultDestinationPath", settings.DefaultDestinationPath, kDestinationPathBuffer);
        settings.ShowHints = key.ReadInteger("ShowHints", 1);
        settings.CDVolumeLabel = key.ReadString("CDVolumeLabel", settings.CDVolumeLabel, kVolumeLabelBuffer);
    });
}

void SaveSettings()
{
    WithSettingsKey([](TRegKey& key) {
        const TSettings& settings = Settings();
        key.WriteString("DefaultDestinationPath", settings.DefaultDestinationPath);
        key.WriteInteger("ShowHints", settings.ShowHints);
        key.WriteString("CDVolumeLabel", settings.CDVolumeLabel);
    });
}

}  // namespace lumarc
