#include "scores/frm_scores_form.h"

#include <string>
#include <string_view>
#include <utility>

#include <FL/Fl.H>

#include "platform/fltk/display.h"
#include "platform/fltk/message_box.h"
#include "resources/pictures.h"
#include "scores/frm_scores.h"
#include "scores/frm_scores_layout.h"
#include "scores/score11_table.h"
#include "sound/sound.h"

using scores_dialog::PixelsToTwips;
using scores_dialog::TwipsRect;
using scores_dialog::TwipsToPixels;

namespace {

FrmScores* loaded = nullptr;

constexpr std::size_t NameLength = 15;
// Below the top of the Ok button of the entry layout, the shortened window ends.
constexpr int ViewHeightBelowButton = 45;

// The design, in twips.
constexpr int ClientWidth = 4605;
constexpr int ClientHeight = 2925;
constexpr TwipsRect NameBoxDesign{240, 1920, 1650, 360};
constexpr TwipsRect NamesDesign{255, 405, 1620, 1080};
constexpr TwipsRect ScoresDesign{1890, 405, 1170, 1080};
constexpr TwipsRect ScoreBoxDesign{1905, 1920, 1185, 360};
constexpr TwipsRect OkDesign{3855, 2655, 600, 302};
constexpr TwipsRect NewScoreDesign{3870, 2505, 570, 302};
constexpr TwipsRect InfoDesign{240, 1725, 2850, 165};
constexpr TwipsRect TitleDesign{255, 45, 2805, 315};
constexpr TwipsRect ImageDesign{3075, 60, 1455, 1425};

constexpr int ShipWidth = 97;
constexpr int ShipHeight = 95;
constexpr int FaceWidth = 91;
constexpr int FaceHeight = 17;

template <typename Widget, typename... Extra>
Widget* Place(const TwipsRect& design, Extra&&... extra) {
    return new Widget(TwipsToPixels(design.left), TwipsToPixels(design.top), TwipsToPixels(design.width),
                      TwipsToPixels(design.height), std::forward<Extra>(extra)...);
}

// A built-in picture, or its plain stand-in while it is not there.
toolkit::Picture DialogPicture(std::string_view name, int width, int height, const char* standInWord) {
    const resources::PictureList list = resources::FindPictures(name);
    if (list.count > 0 && list.pixels) return toolkit::Picture(list.width, list.height, list.pixels, standInWord);
    return toolkit::Picture(width, height, nullptr, standInWord);
}

scores_dialog::TextBox* WhiteTextBox(const TwipsRect& design, const char* designText) {
    auto* box = Place<scores_dialog::TextBox>(design);
    box->box(FL_DOWN_BOX);
    box->color(FL_BLACK);
    box->textcolor(FL_WHITE);
    box->cursor_color(FL_WHITE);
    box->textfont(scores_dialog::ArialBold);
    box->textsize(scores_dialog::Points8);
    box->value(designText);
    return box;
}

scores_dialog::ListBox* DisabledList(const TwipsRect& design) {
    auto* list = Place<scores_dialog::ListBox>(design);
    list->color(FL_BLACK);
    list->labelcolor(FL_WHITE);
    list->labelfont(scores_dialog::ArialBold);
    list->labelsize(scores_dialog::Points8);
    list->deactivate();
    return list;
}

Fl_Box* WhiteLabel(const TwipsRect& design, const char* text, Fl_Font font, Fl_Fontsize size) {
    auto* label = Place<Fl_Box>(design, text);
    label->box(FL_NO_BOX);
    label->labelcolor(FL_WHITE);
    label->labelfont(font);
    label->labelsize(size);
    label->align(FL_ALIGN_CENTER | FL_ALIGN_INSIDE);
    return label;
}

// Outer sizes include the window manager's title bar and frame, known before the window is
// shown.
int OuterWidthTwips(const toolkit::Form& window) { return PixelsToTwips(window.w() + window.OuterFrame().Width()); }
int OuterHeightTwips(const toolkit::Form& window) { return PixelsToTwips(window.h() + window.OuterFrame().Height()); }

void SetOuterHeightTwips(toolkit::Form& window, int twips) {
    const int height = TwipsToPixels(twips) - window.OuterFrame().Height();
    window.size_range(window.w(), height, window.w(), height);
    window.size(window.w(), height);
}

}  // namespace

FrmScores::FrmScores() : toolkit::Form(TwipsToPixels(ClientWidth), TwipsToPixels(ClientHeight), "High Scores") {
    scores_dialog::NameFonts();
    color(FL_BLACK);
    begin();
    // Created in the order of the tab index.
    txtName = WhiteTextBox(NameBoxDesign, "Text1");
    lstNames = DisabledList(NamesDesign);
    lstScores = DisabledList(ScoresDesign);
    txtScore = WhiteTextBox(ScoreBoxDesign, "Text2");
    const toolkit::Picture face = DialogPicture("face_Ok", FaceWidth, FaceHeight, "Ok");
    btnOK = Place<toolkit::PictureButton>(OkDesign, face);
    btnOK->color(FL_BACKGROUND2_COLOR);
    btnOK->callback([](Fl_Widget*) { frmScores().btnOK_Click(); });
    btnOK->MakeDefault();
    btnNewScore = Place<toolkit::PictureButton>(NewScoreDesign, face);
    btnNewScore->callback([](Fl_Widget*) { frmScores().btnNewScore_Click(); });
    lblInfo = WhiteLabel(InfoDesign, "New High Score!  Enter your name:", scores_dialog::ArialBold,
                         scores_dialog::Points6);
    Label1 = WhiteLabel(TitleDesign, "High Scores", scores_dialog::ArialBoldItalic, scores_dialog::Points12);
    Image1 = Place<toolkit::PictureBox>(ImageDesign, DialogPicture("scores_ship", ShipWidth, ShipHeight, ""));
    end();
    FixSize();
    // No close box: the dialog is left through its buttons.
    SetFrameButtons(toolkit::FrameButtons::MoveOnly);
    SetWindowType(toolkit::WindowType::Dialog);
    const toolkit::Picture icon = DialogPicture("icon", 32, 32, "");
    if (icon.Image()) this->icon(icon.Image());
}

void FrmScores::Form_Load() {
    toolkit::OpenDisplay();
    int screenX = 0, screenY = 0, screenWidth = 0, screenHeight = 0;
    Fl::screen_xywh(screenX, screenY, screenWidth, screenHeight, 0);
    const int left = scores_dialog::CentredEdge(PixelsToTwips(screenWidth), OuterWidthTwips(*this));
    const int top = scores_dialog::CentredEdge(PixelsToTwips(screenHeight), OuterHeightTwips(*this));
    PlaceOuter(screenX + TwipsToPixels(left), screenY + TwipsToPixels(top));
    copy_label(ScoreTitle.c_str());
    FillScoreLists();
    if (ViewOnly) {
        SetViewMode();
        return;
    }
    btnOK->hide();
    btnNewScore->MakeDefault();
    txtName->value("");
    txtName->SetMaxLength(NameLength);
    txtScore->value(std::to_string(NewScore).c_str());
    txtScore->readonly(1);
}

void FrmScores::FillScoreLists() {
    // An empty table leaves the lists as they are: empty, on a dialog just loaded.
    if (ScoreCount == 0) return;
    lstNames->Clear();
    lstScores->Clear();
    for (int place = 1; place <= ScoreCount; ++place) {
        lstNames->AddItem(HighScores[place].Name);
        lstScores->AddItem(std::to_string(HighScores[place].Score));
    }
}

void FrmScores::SetViewMode() {
    lblInfo->hide();
    txtName->hide();
    txtScore->hide();
    btnNewScore->hide();
    btnOK->show();
    btnOK->position(btnOK->x(), lblInfo->y());
    btnOK->MakeDefault();
    // The window keeps its left and top edges: it is not centred again.
    SetOuterHeightTwips(*this, PixelsToTwips(btnNewScore->y()) + ViewHeightBelowButton);
    ApplyFrameButtons();
    if (shown()) btnOK->take_focus();
    Repaint();
}

void FrmScores::btnNewScore_Click() {
    const std::string name = txtName->value();
    // The box holds the text Form_Load wrote from NewScore, so it reads back as that number.
    std::int32_t points = 0;
    ReadScoreText(txtScore->value(), points);
    AddHighScore(name, points);
    PlaySound(ClickSlot);
    FillScoreLists();
    SetViewMode();
}

void FrmScores::btnOK_Click() {
    ScoreCount = 0;
    PlaySound(ClickSlot);
    NewScore = 0;
    ViewOnly = false;
    Unload();
}

void FrmScores::Form_Unload(std::int16_t& Cancel) {
    // The window system's own close: a name, even an empty one, is always entered, so the entry
    // layout stays; the view layout takes it as OK, whose reset the next game's entry needs.
    Cancel = -1;
    if (btnOK->visible()) btnOK_Click();
}

void FrmScores::Unload() {
    // Deferred: the window is inside one of its own handlers.
    hide();
    if (loaded == this) loaded = nullptr;
    Fl::delete_widget(this);
}

FrmScores& frmScores() {
    if (!loaded) {
        loaded = new FrmScores;
        loaded->Form_Load();
    }
    return *loaded;
}

namespace {

class DialogWindows final : public ScoreWindows {
public:
    void ShowDialog() override { frmScores().ShowModal(); }
    void MessageBox(const std::string& text) override { toolkit::MessageBox(text); }
};

DialogWindows TheDialogWindows;

}  // namespace

void InstallScoreDialog() { SetScoreWindows(&TheDialogWindows); }
