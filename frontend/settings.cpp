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

std::string StoredText(const char* key, const platform::ProfileReader& file) {
    std::string buffer(ValueSize, ' ');
    const std::uint32_t copied = file.GetString(Section, key, "", buffer.data(), ValueSize);
    buffer.resize(copied < ValueSize ? copied : ValueSize - 1);
    return buffer;
}

}  // namespace

SettingsLoad LoadSettingsInto(PreferenceControls& controls, const std::string& iniFile) {
    // One read of the file for the three keys.
    const platform::ProfileReader file(iniFile);
    if (const auto effects = StoredCheckBoxValue(StoredText(EffectsKey, file))) controls.SetEffectsValue(*effects);
    if (const auto music = StoredCheckBoxValue(StoredText(MusicKey, file))) controls.SetMusicValue(*music);
    if (const auto speed = StoredSliderValue(StoredText(SpeedKey, file), SpeedMinimum, SpeedMaximum)) {
        controls.SetSpeedValue(*speed);
    }
    return {file.TooLarge(), file.Unreadable()};
}

std::string SaveSettingsFrom(const PreferenceControls& controls, const std::string& iniFile) {
    platform::ProfileBatch batch(iniFile);
    batch.Set(Section, EffectsKey, SettingText(controls.EffectsValue()));
    batch.Set(Section, MusicKey, SettingText(controls.MusicValue()));
    batch.Set(Section, SpeedKey, SettingText(controls.SpeedValue()));
    return batch.Commit();
}
