// The eight sound slots: 0 the music (loops), 1 to 7 effects. Every sound of the program is
// asked for through PlaySound.
#pragma once

#include <cstdint>
#include <string>

#include "sound/slot_names.h"

// What the sound slots need from the front end: the two Preferences boxes (the only live copy
// of the settings), the program directory and the message box.
class SoundSettings {
public:
    virtual ~SoundSettings() = default;
    virtual std::int16_t MusicValue() = 0;  // chkMusic: 0 unticked, 1 ticked, 2 grayed
    virtual std::int16_t EffectsValue() = 0;  // chkSFX
    // Writing a different value raises the box's click handler inside the call.
    virtual void SetMusicValue(std::int16_t value) = 0;
    virtual void SetEffectsValue(std::int16_t value) = 0;
    virtual void DisableMusicBox() = 0;
    virtual void DisableEffectsBox() = 0;
    virtual std::string AppPath() = 0;  // the program directory, ending in "/"
    virtual void MessageBox(const std::string& text, const std::string& title) = 0;
};
// Set once by the front end before any other call here; unset, InitSound and PlaySound abort.
void SetSoundSettings(SoundSettings* settings);

// Opens the mixer session and the eight slots, or reports the failure and switches sound off.
void InitSound();
// Plays a slot (MusicSlot to ClickSlot) when its Preferences box lets it through, restarting its channel.
void PlaySound(const std::int16_t& Slot);
// Stops whatever plays on one mixer channel.
void FlushChannel(std::int32_t Channel);
// Frees every wave and closes the mixer session, when there is one.
void CloseWaveMix();
