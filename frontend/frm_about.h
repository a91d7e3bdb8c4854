// frmAbout: the splash window at start-up and, with its OK button shown, the About box.
#pragma once

#include <FL/Fl_Box.H>

#include "platform/fltk/form.h"
#include "platform/fltk/picture_widgets.h"

class FrmAbout : public toolkit::Form {
public:
    FrmAbout();

    toolkit::PictureBox* Image1;
    Fl_Box* Label2;
    Fl_Box* Label1;
    toolkit::PictureButton* cmdOK;

    void cmdOK_Click();
};

// Loaded, hidden, on first use.
FrmAbout& frmAbout();
