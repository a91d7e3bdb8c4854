// The three preferences in section "Options" of the settings file, read into the controls of
// the Preferences dialog at start-up and written back from them at exit.
#pragma once

#include <cstdint>
#include <string>

// The frame period in milliseconds, as the Preferences slider holds it.
constexpr std::int32_t SpeedMinimum = 1;
constexpr std::int32_t SpeedMaximum = 66;
constexpr std::int32_t SpeedDesignValue = 10;

// The live settings: the Preferences dialog's controls.
class PreferenceControls {
public:
    virtual ~PreferenceControls() = default;
    virtual std::int16_t EffectsValue() const = 0;  // chkSFX: 0 or 1
    virtual void SetEffectsValue(std::int16_t value) = 0;
    virtual std::int16_t MusicValue() const = 0;  // chkMusic
    // A different value raises the Music box's click handler inside the call.
    virtual void SetMusicValue(std::int16_t value) = 0;
    virtual std::int32_t SpeedValue() const = 0;  // sldSpeed
    virtual void SetSpeedValue(std::int32_t value) = 0;
};

// What loading found in the file, beside the values.
struct SettingsLoad {
    // Too large to be a settings file: not read.
    bool tooLarge = false;
    // Why the file, though there, could not be read this time; empty when it was read or is
    // missing. Saving the controls over it would put defaults in place of the player's values.
    std::string unreadable;
};
// A key that is missing or empty leaves its control at the value it has; so does every key of a
// file that was not read.
SettingsLoad LoadSettingsInto(PreferenceControls& controls, const std::string& iniFile);
// Writes all three keys in one step; the file's other keys and sections stay as they are.
// Returns why the file could not be written, in plain words, or an empty text when it was.
std::string SaveSettingsFrom(const PreferenceControls& controls, const std::string& iniFile);
