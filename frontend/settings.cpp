#include "frontend/settings.h"

#include <optional>
#include <string_view>

#include "frontend/settings_text.h"
#include "platform/profile.h"

namespace {

constexpr const char* Section = "Options";
constexpr const char* EffectsKey = "SoundFX_Toggle";
constexpr const char* MusicKey = "Music_Toggle";
constexpr const char* SpeedKey = "GameSpeed";
constexpr std::uint32_t ValueSize = 256;

std::string StoredText(const char* key, const std::string& iniFile) {
    std::string buffer(ValueSize, ' ');
    const std::uint32_t copied = platform::GetPrivateProfileStringA(Section, key, "", buffer.data(), ValueSize, iniFile);
    buffer.resize(copied < ValueSize ? copied : ValueSize - 1);
    return buffer;
}

}  // namespace

void LoadSettingsInto(PreferenceControls& controls, const std::string& iniFile) {
    if (const auto effects = StoredCheckBoxValue(StoredText(EffectsKey, iniFile))) controls.SetEffectsValue(*effects);
    if (const auto music = StoredCheckBoxValue(StoredText(MusicKey, iniFile))) controls.SetMusicValue(*music);
    if (const auto speed = StoredSliderValue(StoredText(SpeedKey, iniFile), SpeedMinimum, SpeedMaximum)) {
        controls.SetSpeedValue(*speed);
    }
}

std::string SaveSettingsFrom(const PreferenceControls& controls, const std::string& iniFile) {
    platform::ProfileBatch batch(iniFile);
    platform::WritePrivateProfileStringA(Section, EffectsKey, SettingText(controls.EffectsValue()), iniFile);
    platform::WritePrivateProfileStringA(Section, MusicKey, SettingText(controls.MusicValue()), iniFile);
    platform::WritePrivateProfileStringA(Section, SpeedKey, SettingText(controls.SpeedValue()), iniFile);
    return batch.Commit();
}
