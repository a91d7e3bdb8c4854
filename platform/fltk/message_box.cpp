#include "platform/fltk/message_box.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Return_Button.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/fltk/display.h"
#include "platform/fltk/end_signals.h"
#include "platform/fltk/form.h"

namespace toolkit {
namespace {

std::string applicationTitle;
// The boxes up now, the newest last.
std::vector<Form*> openBoxes;
// Once nobody is left to read a box, every text goes to standard error.
bool toStandardError = false;

constexpr Fl_Font TextFont = FL_HELVETICA;
constexpr Fl_Fontsize TextSize = 12;
constexpr int MaxTextWidth = 420;
// The caption as a window manager draws it, generously: a bold face a little larger than the
// text's, with room for the frame's icon and buttons beside it.
constexpr Fl_Font CaptionFont = FL_HELVETICA_BOLD;
constexpr Fl_Fontsize CaptionSize = 13;
constexpr int CaptionButtonsWidth = 100;

void WrapLine(std::string_view line, int maxWidth, const std::function<int(std::string_view)>& width,
              std::string& out) {
    std::string current;
    std::size_t at = 0;
    while (at < line.size()) {
        // One word with the blanks in front of it.
        std::size_t end = line.find_first_not_of(' ', at);
        if (end == std::string_view::npos) break;
        end = line.find(' ', end);
        if (end == std::string_view::npos) end = line.size();
        const std::string_view word = line.substr(at, end - at);
        if (!current.empty() && width(current + std::string(word)) > maxWidth) {
            out += current;
            out += '\n';
            current = std::string(word.substr(word.find_first_not_of(' ')));
        } else {
            current += word;
        }
        at = end;
    }
    out += current;
}

}  // namespace

void SetApplicationTitle(const std::string& title) { applicationTitle = title; }

std::string WrapToWidth(std::string_view text, int maxWidth, const std::function<int(std::string_view)>& width) {
    std::string out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t newline = text.find('\n', start);
        WrapLine(text.substr(start, newline == std::string_view::npos ? std::string_view::npos : newline - start),
                 maxWidth, width, out);
        if (newline == std::string_view::npos) return out;
        out += '\n';
        start = newline + 1;
    }
}

namespace {

constexpr int Margin = 14;
constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 23;

// OK answers Enter and, as the box's only way out, Esc too.
class OkButton final : public Fl_Return_Button {
public:
    using Fl_Return_Button::Fl_Return_Button;
    int handle(int event) override {
        if (event == FL_SHORTCUT && Fl::event_key() == FL_Escape) {
            do_callback();
            return 1;
        }
        return Fl_Return_Button::handle(event);
    }
};

// FLTK's first free label type: ours.
constexpr Fl_Labeltype LiteralLabel = FL_FREE_LABELTYPE;

// A label drawn exactly as given: FLTK's own label type would read an '@' (in a folder's name,
// say) as the start of a symbol and drop the rest.
void DrawLiteralLabel(const Fl_Label* label, int x, int y, int width, int height, Fl_Align align) {
    fl_font(label->font, label->size);
    fl_color(label->color);
    fl_draw(label->value, x, y, width, height, align, label->image, 0);
}

void MeasureLiteralLabel(const Fl_Label* label, int& width, int& height) {
    fl_font(label->font, label->size);
    fl_measure(label->value, width, height, 0);
}

void TellOnStandardError(const std::string& caption, const std::string& text) {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
}

// A box on the list of those up for as long as it lives.
class OpenBox {
public:
    explicit OpenBox(Form& box) { openBoxes.push_back(&box); }
    ~OpenBox() { openBoxes.pop_back(); }
    OpenBox(const OpenBox&) = delete;
    OpenBox& operator=(const OpenBox&) = delete;
};

int CaptionWidth(const std::string& caption) {
    fl_font(CaptionFont, CaptionSize);
    return static_cast<int>(fl_width(caption.c_str()) + 0.5) + CaptionButtonsWidth;
}

}  // namespace

bool MessageBoxShowing() { return !openBoxes.empty(); }

void TellOnStandardErrorFromNowOn() {
    toStandardError = true;
    for (Form* box : openBoxes) box->hide();
}

void MessageBox(const std::string& text, const std::string& title) {
    const std::string caption = title.empty() ? applicationTitle : title;
    // A signal that came while we worked (a save waiting for a lock, say) has not been read yet,
    // but already nobody may be there to answer.
    if (toStandardError || EndRequested()) {
        TellOnStandardError(caption, text);
        return;
    }
    OpenDisplay();
    const int captionWidth = CaptionWidth(caption);
    fl_font(TextFont, TextSize);
    const std::string wrapped = WrapToWidth(text, MaxTextWidth, [](std::string_view line) {
        return static_cast<int>(fl_width(line.data(), static_cast<int>(line.size())) + 0.5);
    });
    int textWidth = 0;
    int textHeight = 0;
    fl_measure(wrapped.c_str(), textWidth, textHeight, 0);
    const int width = std::max({textWidth + 2 * Margin, ButtonWidth + 2 * Margin, captionWidth});
    const int height = Margin + textHeight + Margin + ButtonHeight + Margin;

    // Text and OK, no icon, centred on the screen, as the desktop the game was made for shows it.
    Form box(width, height, caption.c_str());
    box.begin();
    Fl_Box message(Margin, Margin, width - 2 * Margin, textHeight, wrapped.c_str());
    Fl::set_labeltype(LiteralLabel, DrawLiteralLabel, MeasureLiteralLabel);
    message.labeltype(LiteralLabel);
    message.labelfont(TextFont);
    message.labelsize(TextSize);
    message.align(FL_ALIGN_LEFT | FL_ALIGN_TOP | FL_ALIGN_INSIDE);
    OkButton ok((width - ButtonWidth) / 2, height - Margin - ButtonHeight, ButtonWidth, ButtonHeight, "OK");
    ok.labelsize(TextSize);
    ok.callback([](Fl_Widget* button, void*) { button->window()->hide(); });
    box.end();
    // Listed before the modal loop runs (showing it runs it too), so that an end signal finds it.
    const OpenBox listed(box);
    box.FixSize();
    box.SetFrameButtons(FrameButtons::CloseOnly);
    box.SetWindowType(WindowType::Dialog);
    box.CenterOnScreen();
    box.ShowModal();
}

}  // namespace toolkit
