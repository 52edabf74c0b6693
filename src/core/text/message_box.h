#pragma once
// Where the engine shows a developer error box (caption "Error", OK only).
// ignset installs a modal dialog, ignctl and the tests their own sink; until
// then the text goes to stderr. Called on the GUI thread only.
#include <string>

namespace ign {

constexpr const char* kErrorCaption = "Error";

class IMessageBox {
 public:
  virtual ~IMessageBox() = default;
  // Shows text (UTF-8) and returns when the user has closed the box.
  virtual void ShowMessage(const std::string& text) = 0;
};

// Installs box (nullptr restores the stderr default); returns the previous one.
IMessageBox* SetMessageBox(IMessageBox* box);
IMessageBox& MessageBox();

}  // namespace ign
