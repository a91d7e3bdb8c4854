#include "platform/fltk/message_box.h"

#include <FL/Fl.H>
#include <FL/fl_ask.H>
#include <FL/fl_draw.H>

#include "platform/fltk/display.h"

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

void MessageBox(const std::string& text, const std::string& title) {
    OpenDisplay();
    fl_close = "OK";
    fl_message_font(TextFont, TextSize);
    fl_message_title(title.empty() ? applicationTitle.c_str() : title.c_str());
    fl_font(TextFont, TextSize);
    const std::string wrapped = WrapToWidth(text, MaxTextWidth, [](std::string_view line) {
        return static_cast<int>(fl_width(line.data(), static_cast<int>(line.size())) + 0.5);
    });
    fl_message("%s", wrapped.c_str());
}

}  // namespace toolkit
