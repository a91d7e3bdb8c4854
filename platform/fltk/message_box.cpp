#include "platform/fltk/message_box.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Return_Button.H>
#include <FL/fl_draw.H>

#include <algorithm>

#include "platform/fltk/display.h"
#include "platform/fltk/form.h"

namespace toolkit {
namespace {

std::string applicationTitle;

constexpr Fl_Font TextFont = FL_HELVETICA;
constexpr Fl_Fontsize TextSize = 12;
constexpr int MaxTextWidth = 420;

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

}  // namespace

void MessageBox(const std::string& text, const std::string& title) {
    OpenDisplay();
    fl_font(TextFont, TextSize);
    const std::string wrapped = WrapToWidth(text, MaxTextWidth, [](std::string_view line) {
        return static_cast<int>(fl_width(line.data(), static_cast<int>(line.size())) + 0.5);
    });
    int textWidth = 0;
    int textHeight = 0;
    fl_measure(wrapped.c_str(), textWidth, textHeight, 0);
    const int width = std::max(textWidth, ButtonWidth) + 2 * Margin;
    const int height = Margin + textHeight + Margin + ButtonHeight + Margin;

    // Text and OK, no icon, centred on the screen, as the desktop the game was made for shows it.
    const std::string caption = title.empty() ? applicationTitle : title;
    Form box(width, height, caption.c_str());
    box.begin();
    Fl_Box message(Margin, Margin, width - 2 * Margin, textHeight, wrapped.c_str());
    message.labelfont(TextFont);
    message.labelsize(TextSize);
    message.align(FL_ALIGN_LEFT | FL_ALIGN_TOP | FL_ALIGN_INSIDE);
    OkButton ok((width - ButtonWidth) / 2, height - Margin - ButtonHeight, ButtonWidth, ButtonHeight, "OK");
    ok.labelsize(TextSize);
    ok.callback([](Fl_Widget* button, void*) { button->window()->hide(); });
    box.end();
    box.FixSize();
    box.SetFrameButtons(FrameButtons::CloseOnly);
    box.SetWindowType(WindowType::Dialog);
    box.CenterOnScreen();
    box.ShowModal();
}

}  // namespace toolkit
