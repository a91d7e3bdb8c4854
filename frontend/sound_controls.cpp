#include "frontend/sound_controls.h"

#include "frontend/frm_config.h"
#include "frontend/module1.h"
#include "platform/fltk/message_box.h"
#include "sound/sound.h"

namespace {

class PreferencesSound final : public SoundSettings {
public:
    std::int16_t MusicValue() override { return frmConfig().MusicValue(); }
    std::int16_t EffectsValue() override { return frmConfig().EffectsValue(); }
    void SetMusicValue(std::int16_t value) override { frmConfig().SetMusicValue(value); }
    void SetEffectsValue(std::int16_t value) override { frmConfig().SetEffectsValue(value); }
    void DisableMusicBox() override { frmConfig().chkMusic->deactivate(); }
    void DisableEffectsBox() override { frmConfig().chkSFX->deactivate(); }
    std::string AppPath() override { return ::AppPath; }
    void MessageBox(const std::string& text, const std::string& title) override { toolkit::MessageBox(text, title); }
};

PreferencesSound settings;

}  // namespace

void ConnectSoundToPreferences() { SetSoundSettings(&settings); }
