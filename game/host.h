// The engine's one seam to the outside world. The front end fills it with the real windows,
// sound and high-score table; the unit tests and the headless demo with recording fakes.
#pragma once

#include <cstdint>
#include <string>

#include "sound/slot_names.h"

namespace platform {
class BackBuffer;
}

class GameHost {
public:
    virtual ~GameHost() = default;

    // Sound request for one of the eight slots; gated and mixed by the sound subsystem.
    virtual void PlaySound(std::int16_t slot) = 0;
    // Modal message box with an OK button and the application's default title.
    virtual void MessageBox(const std::string& text) = 0;
    // The high-score step; returns when its dialog has closed, or at once.
    virtual void ShowHighScores(std::int32_t points, const std::string& title, const std::string& iniFile,
                                bool showTableOnly) = 0;
    // AppPath followed by VOIDRAID.INI.
    virtual std::string SettingsFilePath() = 0;

    // Frame timer Timer1 of the main window: milliseconds, 0 stopped.
    virtual void SetTimerInterval(std::int32_t milliseconds) = 0;
    // Value of the Preferences slider sldSpeed: the frame period in milliseconds.
    virtual std::int32_t SliderValue() = 0;

    // The two faces of the main window.
    virtual void SetMenuVisible(bool visible) = 0;
    virtual void SetMenuEnabled(bool enabled) = 0;
    virtual void SetScreenVisible(bool visible) = 0;
    // Size of the game screen scr, in pixels.
    virtual int ScreenWidth() = 0;
    virtual int ScreenHeight() = 0;
    // Copies width x height pixels from the buffer's top-left corner onto the game screen's,
    // unscaled; on screen when the call returns. The buffer tells what changed since the
    // frame the screen shows, which is all that needs to travel.
    virtual void BlitToScreen(const platform::BackBuffer& buffer, int width, int height) = 0;

    // Runs the window messages that are pending, then returns.
    virtual void PumpMessages() = 0;
};

// The host every engine call goes through; set once by whoever drives the engine. Unset, Host()
// aborts.
void SetGameHost(GameHost* host);
GameHost& Host();
