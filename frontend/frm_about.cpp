#include "frontend/frm_about.h"

#include "frontend/fonts.h"
#include "frontend/module1.h"
#include "frontend/window_pictures.h"
#include "platform/fltk/text_label.h"
#include "sound/sound.h"

namespace {

Fl_Box* WhiteLabel(int x, int y, int width, int height, const char* text, Fl_Font font, Fl_Fontsize size) {
    auto* label = new toolkit::TextLabel(x, y, width, height, text);
    label->labelcolor(FL_WHITE);
    label->labelfont(font);
    label->labelsize(size);
    label->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
    return label;
}

}  // namespace

FrmAbout::FrmAbout() : toolkit::Form(320, 200, "VR-717 'Void Raider'") {
    color(FL_BLACK);
    border(0);
    begin();
    Image1 = new toolkit::PictureBox(0, 0, 320, 200, WindowPicture("splash"));
    Image1->begin();
    Label2 = WhiteLabel(12, 61, 21, 14, "v2.0", ArialBold, Points8);
    Label1 = WhiteLabel(265, 151, 39, 10, "Loading. . .", SmallFonts, Points6);
    // Over the "Loading" label, which it hides while shown.
    cmdOK = new toolkit::PictureButton(258, 145, 50, 20, WindowPicture("face_Ok"));
    cmdOK->callback([](Fl_Widget*) { frmAbout().cmdOK_Click(); });
    cmdOK->MakeCancel();
    cmdOK->hide();
    Image1->end();
    end();
    FixSize();
    CenterOnScreen();
}

void FrmAbout::cmdOK_Click() {
    PlaySound(ClickSlot);
    Hide();
}

FrmAbout& frmAbout() {
    static FrmAbout* form = new FrmAbout;
    return *form;
}
