#include "frontend/module1.h"

#include <filesystem>
#include <system_error>

#include "frontend/app_path.h"
#include "frontend/colour_rule.h"
#include "frontend/fonts.h"
#include "frontend/frm_about.h"
#include "frontend/frm_config.h"
#include "frontend/frm_main.h"
#include "frontend/frm_story.h"
#include "frontend/game_host.h"
#include "frontend/settings.h"
#include "frontend/sound_controls.h"
#include "game/game.h"
#include "game/sprite_store.h"
#include "scores/frm_scores.h"
#include "platform/fltk/display.h"
#include "platform/fltk/end_signals.h"
#include "platform/fltk/help.h"
#include "platform/fltk/message_box.h"
#include "platform/fltk/program.h"
#include "platform/mixer/wavemix.h"
#include "platform/profile.h"
#include "platform/program_file.h"
#include "sound/sound.h"

std::string AppPath;

namespace {

constexpr const char* SettingsFileName = "VOIDRAID.INI";
constexpr const char* HelpFileName = "VOIDRAID.HLP";
constexpr const char* ColourDepthMessage =
    "Please switch to a high (16bit) or true (24bit or 32bit) color display mode.  "
    "(control panel/display/settings/color palette)";

// Settings are written back only when they were read: a start refused before that would
// otherwise overwrite the player's stored preferences with the design values.
bool settingsLoaded = false;
// Set once the exit has begun: a signal then has nothing more to ask.
bool exiting = false;

std::string CurrentDirectory() {
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    return error ? std::string("./") : current.string();
}

// The session ending, the terminal closed or Ctrl+C: the normal exit, the settings saved. A game
// in progress is abandoned, with no game-over box and no high-score dialog. Nobody may be there
// to answer a box, so the toolkit has closed any and tells a failed save on standard error; an
// exit already under way then simply goes on.
void EndOnSignal() {
    if (exiting) return;
    AbandonGame();
    ExitProgram();
}

}  // namespace

std::string SettingsFilePath() { return AppPath + SettingsFileName; }

void Main() {
    // The other subsystems reach the windows through their seams.
    toolkit::SetApplicationTitle(ApplicationTitle);
    ConnectGameToWindows();
    ConnectSoundToPreferences();
    InstallScoreDialog();
    LoadFonts();
    // From here on a signal to end the program leaves through ExitProgram, from the first
    // message loop that runs.
    toolkit::WatchEndSignals(EndOnSignal);
    // A save waiting for another program's lock lets go soon once a signal has asked to end.
    platform::SetProfileWaitCut(toolkit::EndRequested);

    // The splash, loaded hidden.
    frmAbout();
    // Palette displays are refused here; the check loads the main window.
    CheckColorDepth();
    // Program directory, current directory, help file.
    InitAppPath();
    // The splash stays up while the settings, the sound files and the pictures load.
    frmAbout().ShowModeless();
    frmAbout().Repaint();
    // The stored preferences into the Preferences dialog, loading it.
    LoadSettings();
    // The mixer and the eight sound slots.
    InitSound();
    // The sprite store and the picture viewer, hidden.
    frmGFX1();
    frmStory();
    // The music, when its box is ticked.
    PlaySound(MusicSlot);
    // The main window takes over from the splash, showing its menu.
    frmMain().ShowModeless();
    frmAbout().Hide();
    frmMain().picMenu->show();
    // The banner's one call.
    frmMain().advert1->Start();
}

void InitAppPath() {
    AppPath = ProgramDirectory(platform::ProgramFilePath(), CurrentDirectory());
    // A directory that cannot be entered leaves the current one; every path is a full one.
    std::error_code error;
    std::filesystem::current_path(AppPath, error);
    toolkit::SetHelpFile(AppPath + HelpFileName);
    platform::SetProgramDirectory(AppPath);
}

void CheckColorDepth() {
    // The main window's display is the one read; this first use loads the window.
    frmMain();
    const toolkit::ColourFormat format = toolkit::DisplayColourFormat();
    if (DisplayAccepted(format.bitsPerPixel, format.planes)) return;
    toolkit::MessageBox(ColourDepthMessage);
    ExitProgram();
}

void ExitProgram() {
    exiting = true;
    if (settingsLoaded) SaveSettings();
    // The music stops, then the mixer and its waves are released.
    FlushChannel(0);
    CloseWaveMix();
    frmMain().Hide();
    // Messages already queued still run before the end.
    toolkit::PumpMessages();
    toolkit::PumpMessages();
    toolkit::EndProgram();
}

void LoadSettings() {
    const SettingsLoad load = LoadSettingsInto(frmConfig(), SettingsFilePath());
    if (load.tooLarge) {
        // Said once; the saves into that file are refused later, and each says why.
        toolkit::MessageBox("The settings file " + SettingsFilePath() +
                            " is larger than 1 MiB, too large for a settings file. The game starts with its "
                            "default settings, and neither they nor the high scores can be saved in that file.");
    }
    if (!load.unreadable.empty()) {
        // The player's own settings are still in the file: the exit must not write the defaults
        // over them. High scores are safe, as each save reads the file afresh.
        toolkit::MessageBox("The settings file " + SettingsFilePath() + " could not be read: " + load.unreadable +
                            ". The game starts with its default settings and leaves the file's own as they are.");
        return;
    }
    settingsLoaded = true;
}

void SaveSettings() {
    const std::string failure = SaveSettingsFrom(frmConfig(), SettingsFilePath());
    // Told once; the exit goes on.
    if (!failure.empty()) {
        toolkit::MessageBox("The settings could not be saved in " + SettingsFilePath() + ": " + failure + ".");
    }
}
