// frmConfig: the Preferences dialog. Its three controls are the program's only copy of the
// settings; closing it only hides it.
#pragma once

#include <cstdint>

#include <FL/Fl_Box.H>
#include <FL/Fl_Check_Button.H>

#include "frontend/settings.h"
#include "platform/fltk/form.h"
#include "platform/fltk/picture_widgets.h"
#include "platform/fltk/tick_slider.h"

class FrmConfig : public toolkit::Form, public PreferenceControls {
public:
    FrmConfig();

    toolkit::PictureButton* cmdConfig;
    toolkit::TickSlider* sldSpeed;
    Fl_Check_Button* chkMusic;
    Fl_Check_Button* chkSFX;
    toolkit::PictureButton* cmdHelp;
    Fl_Box* Label1;
    Fl_Box* Label2;
    Fl_Box* Label3;

    void chkMusic_Click();
    void cmdConfig_Click();
    void cmdHelp_Click();

    std::int16_t EffectsValue() const override;
    void SetEffectsValue(std::int16_t value) override;
    std::int16_t MusicValue() const override;
    void SetMusicValue(std::int16_t value) override;
    std::int32_t SpeedValue() const override;
    void SetSpeedValue(std::int32_t value) override;

protected:
    void Form_Unload(std::int16_t& Cancel) override;
};

// Loaded, hidden, on first use; never unloaded.
FrmConfig& frmConfig();
