// frmStory: the picture viewer, five pages (story, controls, the ship, the enemy, credits)
// paged with Previous and Next, without wrapping. Closing it unloads it.
#pragma once

#include "platform/fltk/form.h"
#include "platform/fltk/picture.h"
#include "platform/fltk/picture_widgets.h"

class FrmStory : public toolkit::Form {
public:
    static constexpr int PageCount = 5;

    FrmStory();

    toolkit::PictureButton* cmdPrev;
    toolkit::PictureButton* cmdNext;
    toolkit::PictureButton* cmdOK;
    toolkit::PictureBox* imgDisplay;
    toolkit::Picture imgSpecs[PageCount];

    int CurrentPage = 0;

    void cmdPrev_Click();
    void cmdNext_Click();
    void cmdOK_Click();

protected:
    void Form_Activate() override;
    void Unload() override;

private:
    void ShowPage(int page);
};

// Loaded, hidden, on first use, and again after each unload.
FrmStory& frmStory();
