// frmMain: the main window. Its menu picture with the seven buttons and the game screen share
// the upper area; the strip below carries the sponsor line and the banner. It owns the frame
// timer.
#pragma once

#include <cstdint>

#include <FL/Fl_Box.H>
#include <FL/Fl_Group.H>

#include "frontend/advert.h"
#include "platform/fltk/form.h"
#include "platform/fltk/frame_timer.h"
#include "platform/fltk/picture_widgets.h"
#include "platform/fltk/pixel_screen.h"

class FrmMain : public toolkit::Form {
public:
    FrmMain();

    toolkit::PictureBox* picMenu;
    toolkit::PictureButton* cmdGame;
    toolkit::PictureButton* cmdScores;
    toolkit::PictureButton* cmdConfig;
    toolkit::PictureButton* cmdSpecs;
    toolkit::PictureButton* cmdAbout;
    toolkit::PictureButton* cmdHelp;
    toolkit::PictureButton* cmdExit;
    toolkit::PixelScreen* scr;
    Fl_Group* Picture1;
    Fl_Box* Label1;
    Advert* advert1;
    toolkit::FrameTimer Timer1;

    void cmdGame_Click();
    void cmdScores_Click();
    void cmdConfig_Click();
    void cmdSpecs_Click();
    void cmdAbout_Click();
    void cmdHelp_Click();
    void cmdExit_Click();

    // Puts the focus back on Start Game when the menu returns without it.
    void RestoreMenuFocus();
    // A minimised window is restored, and waited for (a little) until it is on the screen.
    void BringBack();

protected:
    void Form_Unload(std::int16_t& Cancel) override;
};

// Loaded, hidden, on first use.
FrmMain& frmMain();
