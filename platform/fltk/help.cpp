#include "platform/fltk/help.h"

#include <filesystem>
#include <system_error>

#include <FL/Fl.H>
#include <FL/Fl_Help_Dialog.H>
#include <FL/Fl_Window.H>

#include "platform/fltk/dispatch.h"
#include "platform/fltk/form.h"
#include "platform/fltk/message_box.h"

namespace toolkit {
namespace {

std::string helpFile;
Fl_Help_Dialog* viewer = nullptr;
Fl_Window* viewerWindow = nullptr;  // the viewer's own window, known once it has been shown

bool HelpFileExists() {
    std::error_code error;
    return !helpFile.empty() && std::filesystem::is_regular_file(helpFile, error);
}

// Over a modal dialog the viewer must be modal as well, or it would take no input until the
// dialog closes; elsewhere it is an ordinary window beside the others.
void ShowViewer() {
    Fl_Window* blocking = Fl::modal();
    if (blocking == viewerWindow) blocking = nullptr;
    const bool wantModal = blocking != nullptr;
    if (viewerWindow) {
        if (viewerWindow->shown() && (viewerWindow->modal() != 0) != wantModal) viewerWindow->hide();
        viewerWindow->clear_modal_states();
        if (wantModal) viewerWindow->set_modal();
        viewer->show();
        return;
    }
    viewer->show();
    // A window just mapped heads FLTK's list of windows.
    viewerWindow = Fl::first_window();
    if (wantModal) {
        viewerWindow->hide();
        viewerWindow->set_modal();
        viewer->show();
    }
}

}  // namespace

void SetHelpFile(const std::string& path) {
    helpFile = path;
    InstallEventDispatch();
}

void OpenHelp(int context) {
    // A message box is answered first; F1 there would only stack another box on it.
    if (MessageBoxShowing()) return;
    if (!HelpFileExists()) {
        MessageBox("Cannot find the help file " + helpFile + ".");
        return;
    }
    if (!viewer) {
        viewer = new Fl_Help_Dialog;
        // Centred with the frame a resizable window gets.
        const Frame frame = ExpectedFrame(WindowHints{});
        viewer->position((Fl::w() - viewer->w() - frame.Width()) / 2 + frame.left,
                         (Fl::h() - viewer->h() - frame.Height()) / 2 + frame.top);
    }
    // The viewer takes what follows the last '#' as the anchor, so one is always given: a '#'
    // in the folder's name is then part of the file name. The contents are the top of the file.
    const std::string anchor = context == 0 ? std::string() : "topic" + std::to_string(context);
    viewer->load((helpFile + "#" + anchor).c_str());
    if (context == 0) viewer->topline(0);
    ShowViewer();
}

int FocusedHelpContext() {
    Fl_Window* window = Fl::modal();
    if (!window && Fl::focus()) window = Fl::focus()->top_window();
    if (!window) window = ActiveForm();
    const Form* form = dynamic_cast<const Form*>(window);
    return form ? form->HelpContext() : 0;
}

void SendHelpKey() {
    Fl::add_timeout(0.0, [](void*) { OpenHelp(FocusedHelpContext()); });
}

}  // namespace toolkit
