#include "frontend/frm_config.h"

#include "frontend/fonts.h"
#include "frontend/module1.h"
#include "frontend/window_pictures.h"
#include "platform/fltk/help.h"
#include "platform/fltk/text_label.h"
#include "sound/sound.h"

namespace {

constexpr int PreferencesHelpContext = 5;

Fl_Box* Label(int x, int y, int width, int height, const char* text, Fl_Fontsize size, Fl_Align align) {
    auto* label = new toolkit::TextLabel(x, y, width, height, text);
    label->labelfont(ArialBold);
    label->labelsize(size);
    label->align(align | FL_ALIGN_INSIDE);
    return label;
}

Fl_Check_Button* CheckBox(int x, int y, const char* caption, std::int16_t value) {
    auto* box = new Fl_Check_Button(x, y, 107, 16, caption);
    box->labelfont(ArialBold);
    box->labelsize(Points8);
    box->value(value);
    return box;
}

}  // namespace

FrmConfig::FrmConfig() : toolkit::Form(217, 136, "Preferences") {
    labelfont(Arial);
    labelsize(Points8);
    SetHelpContext(PreferencesHelpContext);
    begin();
    cmdConfig = new toolkit::PictureButton(145, 107, 67, 20, WindowPicture("face_Ok"));
    cmdConfig->callback([](Fl_Widget*) { frmConfig().cmdConfig_Click(); });

    sldSpeed = new toolkit::TickSlider(30, 24, 158, 34);
    sldSpeed->SetRange(SpeedMinimum, SpeedMaximum);
    sldSpeed->SetTickFrequency(10);
    sldSpeed->SetPageStep(5);
    sldSpeed->SetValue(SpeedDesignValue);
    sldSpeed->color(color());

    chkMusic = CheckBox(19, 80, "Music", 0);
    chkMusic->callback([](Fl_Widget*) { frmConfig().chkMusic_Click(); });
    chkSFX = CheckBox(19, 105, "Sound Effects", 1);

    cmdHelp = new toolkit::PictureButton(145, 85, 67, 20, WindowPicture("face_Help"));
    cmdHelp->callback([](Fl_Widget*) { frmConfig().cmdHelp_Click(); });

    Label1 = Label(72, 9, 62, 14, "Frame Rate", Points8, FL_ALIGN_CENTER);
    Label2 = Label(30, 13, 23, 10, "Faster", Points6, FL_ALIGN_LEFT);
    Label3 = Label(161, 13, 25, 10, "Slower", Points6, FL_ALIGN_RIGHT);
    end();
    FixSize();
    SetFrameButtons(toolkit::FrameButtons::CloseOnly);
    SetWindowType(toolkit::WindowType::Utility);
    CenterOnScreen();
}

void FrmConfig::chkMusic_Click() {
    if (chkMusic->value() == 1) {
        PlaySound(MusicSlot);
    } else {
        FlushChannel(0);
    }
}

void FrmConfig::cmdConfig_Click() {
    PlaySound(ClickSlot);
    Hide();
}

void FrmConfig::cmdHelp_Click() {
    PlaySound(ClickSlot);
    // Answered at this dialog's help context, the Preferences topic.
    toolkit::SendHelpKey();
}

void FrmConfig::Form_Unload(std::int16_t& Cancel) {
    // The dialog stays loaded (-1 cancels the close): its values are the settings.
    Cancel = -1;
    PlaySound(ClickSlot);
    Hide();
}

std::int16_t FrmConfig::EffectsValue() const { return static_cast<std::int16_t>(chkSFX->value()); }

void FrmConfig::SetEffectsValue(std::int16_t value) { chkSFX->value(value); }

std::int16_t FrmConfig::MusicValue() const { return static_cast<std::int16_t>(chkMusic->value()); }

void FrmConfig::SetMusicValue(std::int16_t value) {
    if (chkMusic->value() == value) return;
    chkMusic->value(value);
    chkMusic_Click();
}

std::int32_t FrmConfig::SpeedValue() const { return sldSpeed->Value(); }

void FrmConfig::SetSpeedValue(std::int32_t value) { sldSpeed->SetValue(value); }

FrmConfig& frmConfig() {
    static FrmConfig* form = new FrmConfig;
    return *form;
}
