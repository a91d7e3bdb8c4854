#include "frontend/frm_main.h"

#include <FL/Fl.H>

#include "frontend/fonts.h"
#include "frontend/frm_about.h"
#include "frontend/frm_config.h"
#include "frontend/frm_story.h"
#include "frontend/module1.h"
#include "frontend/window_pictures.h"
#include "game/game.h"
#include "platform/fltk/help.h"
#include "platform/fltk/keyboard.h"
#include "scores/score11.h"
#include "sound/sound.h"

namespace {

constexpr int MenuButtonX = 354;
constexpr int MenuButtonTop = 71;
constexpr int MenuButtonPitch = 23;
constexpr int MenuButtonWidth = 95;
constexpr int MenuButtonHeight = 21;

toolkit::PictureButton* MenuButton(toolkit::PictureBox& menu, int row, const char* face, Fl_Callback0* click) {
    auto* button = new toolkit::PictureButton(menu.x() + MenuButtonX, menu.y() + MenuButtonTop + row * MenuButtonPitch,
                                              MenuButtonWidth, MenuButtonHeight, WindowPicture(face));
    button->callback(click);
    return button;
}

// The key preview: during a game every key is the game's, so none moves the focus or
// presses a button of the window.
bool PreviewKey(bool down, std::int16_t& keyCode, std::int16_t& shift) {
    const bool gameKey = GameRunning != VbFalse;
    if (down) {
        Form_KeyDown(keyCode, shift);
    } else {
        Form_KeyUp(keyCode, shift);
    }
    return gameKey;
}

}  // namespace

FrmMain::FrmMain() : toolkit::Form(484, 395, "VR-717 'Void Raider' II"), Timer1([] { Timer1_Timer(); }) {
    color(fl_rgb_color(192, 192, 192));
    begin();

    picMenu = new toolkit::PictureBox(7, 10, 468, 275, WindowPicture("title"));
    picMenu->begin();
    cmdGame = MenuButton(*picMenu, 0, "face_StartGame", [](Fl_Widget*) { frmMain().cmdGame_Click(); });
    cmdScores = MenuButton(*picMenu, 1, "face_HighScores", [](Fl_Widget*) { frmMain().cmdScores_Click(); });
    cmdConfig = MenuButton(*picMenu, 2, "face_Options", [](Fl_Widget*) { frmMain().cmdConfig_Click(); });
    cmdSpecs = MenuButton(*picMenu, 3, "face_Information", [](Fl_Widget*) { frmMain().cmdSpecs_Click(); });
    cmdAbout = MenuButton(*picMenu, 4, "face_About", [](Fl_Widget*) { frmMain().cmdAbout_Click(); });
    cmdHelp = MenuButton(*picMenu, 5, "face_Help", [](Fl_Widget*) { frmMain().cmdHelp_Click(); });
    cmdExit = MenuButton(*picMenu, 6, "face_Exit", [](Fl_Widget*) { frmMain().cmdExit_Click(); });
    picMenu->end();
    cmdGame->MakeDefault();

    scr = new toolkit::PixelScreen(0, 0, 484, 300);
    scr->color(fl_rgb_color(128, 128, 128));
    scr->hide();

    Picture1 = new Fl_Group(0, 304, 484, 91);
    Picture1->box(FL_THIN_DOWN_BOX);
    Picture1->color(FL_BACKGROUND_COLOR);
    Label1 = new Fl_Box(10, 309, 460, 13, "please support our sponsors -- click on ad to visit");
    Label1->box(FL_NO_BOX);
    Label1->labelfont(Arial);
    Label1->labelsize(Points6_75);
    Label1->align(FL_ALIGN_CENTER | FL_ALIGN_INSIDE);
    advert1 = new Advert(5, 326, 468, 60);
    Picture1->end();

    end();
    FixSize();
    SetFrameButtons(toolkit::FrameButtons::CloseOnly);
    CenterOnScreen();
    const toolkit::Picture icon = WindowPicture("icon");
    if (icon.Image()) this->icon(icon.Image());
    toolkit::SetKeyPreview(*this, PreviewKey);
}

void FrmMain::RestoreMenuFocus() {
    if (!contains(Fl::focus())) cmdGame->take_focus();
}

void FrmMain::BringBack() {
    // Minimised, the window is still shown but no longer visible.
    if (!shown() || visible()) return;
    show();
    // The window manager maps it in its own time.
    toolkit::WaitUntilOnScreen(*this);
}

void FrmMain::cmdGame_Click() {
    // NewGame plays the click itself.
    NewGame();
}

void FrmMain::cmdScores_Click() {
    PlaySound(ClickSlot);
    ShowHighScores(0, ScoreTableTitle, SettingsFilePath(), true);
}

void FrmMain::cmdConfig_Click() {
    PlaySound(ClickSlot);
    frmConfig().ShowModal();
}

void FrmMain::cmdSpecs_Click() {
    PlaySound(ClickSlot);
    frmStory().ShowModeless();
}

void FrmMain::cmdAbout_Click() {
    PlaySound(ClickSlot);
    frmAbout().cmdOK->show();
    frmAbout().ShowModal();
}

void FrmMain::cmdHelp_Click() {
    PlaySound(ClickSlot);
    // Nothing here has a help context: the help opens at its contents.
    toolkit::SendHelpKey();
}

void FrmMain::cmdExit_Click() {
    PlaySound(ClickSlot);
    ExitProgram();
}

void FrmMain::Form_Unload(std::int16_t& Cancel) {
    // The window never closes itself: it ends the game, or the program.
    Cancel = VbTrue;
    if (GameRunning) {
        EndGame();
    } else {
        ExitProgram();
    }
}

FrmMain& frmMain() {
    static FrmMain* form = nullptr;
    if (!form) {
        form = new FrmMain;
        // The game screen has its size now; the back buffer takes it.
        Form_Resize();
    }
    return *form;
}
