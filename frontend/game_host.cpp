#include "frontend/game_host.h"

#include <optional>

#include "frontend/frm_config.h"
#include "frontend/frm_main.h"
#include "frontend/module1.h"
#include "game/host.h"
#include "platform/fltk/message_box.h"
#include "platform/fltk/program.h"
#include "platform/back_buffer.h"
#include "scores/score11.h"
#include "sound/sound.h"

namespace {

class WindowHost final : public GameHost {
public:
    void PlaySound(std::int16_t slot) override { ::PlaySound(slot); }
    // The game ends with these two, perhaps while the main window is minimised: it comes back
    // with them rather than leaving them alone on the screen.
    void MessageBox(const std::string& text) override {
        frmMain().BringBack();
        toolkit::MessageBox(text);
    }
    void ShowHighScores(std::int32_t points, const std::string& title, const std::string& iniFile,
                        bool showTableOnly) override {
        frmMain().BringBack();
        ::ShowHighScores(points, title, iniFile, showTableOnly);
    }
    std::string SettingsFilePath() override { return ::SettingsFilePath(); }

    void SetTimerInterval(std::int32_t milliseconds) override { frmMain().Timer1.SetInterval(milliseconds); }
    std::int32_t SliderValue() override { return frmConfig().SpeedValue(); }

    void SetMenuVisible(bool visible) override {
        FrmMain& main = frmMain();
        if (visible) {
            main.picMenu->show();
            main.RestoreMenuFocus();
        } else {
            main.picMenu->hide();
        }
    }
    void SetMenuEnabled(bool enabled) override {
        if (enabled) {
            frmMain().picMenu->activate();
        } else {
            frmMain().picMenu->deactivate();
        }
    }
    void SetScreenVisible(bool visible) override {
        if (visible) {
            // A new game starts on the screen's background colour, never on the previous
            // game's last frame.
            frmMain().scr->Clear();
            shownFrame.reset();
            frmMain().scr->show();
        } else {
            frmMain().scr->hide();
        }
    }
    int ScreenWidth() override { return frmMain().scr->w(); }
    int ScreenHeight() override { return frmMain().scr->h(); }
    void BlitToScreen(const platform::BackBuffer& buffer, int width, int height) override {
        // Only what changed since the frame on screen travels; the first frame goes whole.
        platform::RectList changed;
        if (shownFrame) {
            changed = buffer.ChangedSince(*shownFrame);
        } else {
            changed.Add({0, 0, buffer.Width(), buffer.Height()});
        }
        frmMain().scr->ShowFrame(buffer.Data(), width, height, buffer.Width(), changed.Rects());
        shownFrame = buffer.Frame();
    }

    void PumpMessages() override { toolkit::PumpMessages(); }

private:
    std::optional<std::uint64_t> shownFrame;
};

WindowHost host;

}  // namespace

void ConnectGameToWindows() { SetGameHost(&host); }
