#include "frontend/frm_story.h"

#include <FL/Fl.H>

#include "frontend/frm_main.h"
#include "frontend/module1.h"
#include "frontend/window_pictures.h"
#include "sound/sound.h"

namespace {

FrmStory* loaded = nullptr;

constexpr int LastPage = FrmStory::PageCount - 1;
constexpr int ButtonX = 285;
constexpr int ButtonWidth = 31;
constexpr int ButtonHeight = 20;

}  // namespace

FrmStory::FrmStory() : toolkit::Form(322, 204, "VR-717 'Void Raider'") {
    for (int page = 0; page < PageCount; ++page) imgSpecs[page] = WindowPicture("pages", page);
    begin();
    // The buttons stand over the page's lower right corner, drawn with it.
    imgDisplay = new toolkit::PictureBox(1, 2, 323, 203);
    imgDisplay->begin();
    cmdPrev = new toolkit::PictureButton(ButtonX, 127, ButtonWidth, ButtonHeight, WindowPicture("face_Prev"));
    cmdPrev->callback([](Fl_Widget*) { frmStory().cmdPrev_Click(); });
    cmdNext = new toolkit::PictureButton(ButtonX, 150, ButtonWidth, ButtonHeight, WindowPicture("face_Next"));
    cmdNext->callback([](Fl_Widget*) { frmStory().cmdNext_Click(); });
    cmdOK = new toolkit::PictureButton(ButtonX, 173, ButtonWidth, ButtonHeight, WindowPicture("face_Ok"));
    cmdOK->callback([](Fl_Widget*) { frmStory().cmdOK_Click(); });
    cmdOK->MakeCancel();
    imgDisplay->end();
    end();
    FixSize();
    SetFrameButtons(toolkit::FrameButtons::MinimizeAndClose);
    // Shown without an owner: it opens over the main window.
    CenterOver(frmMain());
    const toolkit::Picture icon = WindowPicture("icon");
    if (icon.Image()) this->icon(icon.Image());
}

void FrmStory::ShowPage(int page) { imgDisplay->SetPicture(imgSpecs[page]); }

void FrmStory::Form_Activate() {
    ShowPage(0);
    CurrentPage = 0;
}

void FrmStory::cmdNext_Click() {
    if (CurrentPage == LastPage) return;
    PlaySound(ClickSlot);
    CurrentPage = CurrentPage + 1;
    ShowPage(CurrentPage);
}

void FrmStory::cmdPrev_Click() {
    if (CurrentPage == 0) return;
    PlaySound(ClickSlot);
    CurrentPage = CurrentPage - 1;
    ShowPage(CurrentPage);
}

void FrmStory::cmdOK_Click() {
    PlaySound(ClickSlot);
    Hide();
    Unload();
}

void FrmStory::Unload() {
    // Deferred: the window may be inside one of its own handlers.
    hide();
    if (loaded == this) loaded = nullptr;
    Fl::delete_widget(this);
}

FrmStory& frmStory() {
    if (!loaded) loaded = new FrmStory;
    return *loaded;
}
