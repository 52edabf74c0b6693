#pragma once
// The developer error box: modal, no owner window, titled "Error", with the
// error icon and the buttons the caller's flags ask for (the MB_* values).
#include <functional>
#include <string>

namespace ign {

namespace MB {
constexpr unsigned Ok = 0x0, OkCancel = 0x1, YesNoCancel = 0x3, YesNo = 0x4, IconError = 0x10;
}
// What the box returns: the button pressed.
namespace ID {
constexpr int Ok = 1, Cancel = 2, Yes = 6, No = 7;
}

// Shows text (UTF-8) unchanged and returns when the user has closed the box.
int ShowErrorBox(const std::string& text, unsigned extraFlags = 0);

// Replaces the dialog (tests record instead of blocking); empty restores it.
using ErrorBoxPresenter = std::function<int(const std::string& text, unsigned flags)>;
void SetErrorBoxPresenter(ErrorBoxPresenter presenter);

// Routes the engine's developer messages (malformed packed strings and the
// like) to ShowErrorBox.
void InstallEngineMessageBox();

}  // namespace ign
