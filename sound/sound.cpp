#include "sound/sound.h"

#include <cstdio>

#include "platform/seam.h"
#include "sound/slots.h"
#include "sound/wavemix.h"

std::array<SoundEntry, SoundSlots> SoundTable;

namespace {

SoundSettings* Settings = nullptr;

SoundSettings& Preferences() { return platform::SeamOrAbort(Settings, "the sound settings (SetSoundSettings)"); }

std::string TrimBlanks(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// ASCII only: the mixer matches the path on disk the same way, so any other byte passes as is.
std::string LowerCase(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

}  // namespace

std::string SoundFileName(int slot) {
    char name[24];  // room for any int, so the compiler sees no truncation
    std::snprintf(name, sizeof name, "0000_%03d.X25", slot);
    return name;
}

void SetSoundSettings(SoundSettings* settings) { Settings = settings; }

void InitSound() {
    SoundSettings& settings = Preferences();
    if (InitWaveMix() != 0) {
        for (std::int32_t n = 0; n < SoundSlots; ++n) {
            SoundEntry& entry = SoundTable[static_cast<std::size_t>(n)];
            entry.File = LowerCase(TrimBlanks(settings.AppPath() + SoundFileName(n)));
            entry.Loops = n == MusicSlot ? -1 : 0;
            // A file that does not open leaves its slot silent; nothing else is told.
            OpenWave(entry.File, n);
        }
        return;
    }
    settings.MessageBox("Unable to Initialize WaveMix DLL, Sound Disabled.", "WaveMix Error");
    // Clearing a ticked Music box runs its click handler, which flushes channel 0 with no
    // session; the library takes that in its stride.
    settings.SetEffectsValue(0);
    settings.SetMusicValue(0);
    settings.DisableEffectsBox();
    settings.DisableMusicBox();
}

void PlaySound(const std::int16_t& Slot) {
    SoundSettings& settings = Preferences();
    // Every caller passes a named slot; anything else would read past the table.
    if (Slot < 0 || Slot >= SoundSlots) return;
    const std::int16_t gate = Slot == MusicSlot ? settings.MusicValue() : settings.EffectsValue();
    // A closed gate leaves whatever already plays on the channel alone.
    if (gate == 0) return;
    // Slot n plays on mixer channel n.
    const std::int32_t channel = Slot;
    FlushChannel(channel);
    PlayWave(channel, SoundTable[static_cast<std::size_t>(Slot)].Loops);
}
