// frmScores: shows the table and, after a game whose score qualifies, asks for the player's
// name. It keeps no state of its own: it is built from the table's state each time it is
// shown and destroyed when it closes.
#pragma once

#include <cstdint>

#include <FL/Fl_Box.H>

#include "platform/fltk/form.h"
#include "platform/fltk/picture_widgets.h"
#include "scores/frm_scores_widgets.h"

class FrmScores : public toolkit::Form {
public:
    FrmScores();

    scores_dialog::TextBox* txtName;
    scores_dialog::ListBox* lstNames;
    scores_dialog::ListBox* lstScores;
    scores_dialog::TextBox* txtScore;
    toolkit::PictureButton* btnOK;
    toolkit::PictureButton* btnNewScore;
    Fl_Box* lblInfo;
    Fl_Box* Label1;
    toolkit::PictureBox* Image1;

    void Form_Load();
    void btnNewScore_Click();
    void btnOK_Click();
    void FillScoreLists();
    void SetViewMode();


protected:
    void Form_Unload(std::int16_t& Cancel) override;
    void Unload() override;
};

// Loaded on first use, which runs its Form_Load; a new one after each close.
FrmScores& frmScores();
