#pragma once
// Handing addresses to the browser, and the messages around it. Messages go
// through a presenter that tests replace (a message box waits for a click).
#include <functional>
#include <string>

class QWidget;

namespace ign {

// caption and text in UTF-8 (caption empty: the program's name).
using UpdateMessagePresenter =
    std::function<void(QWidget* parent, const std::string& caption, const std::string& text)>;
// nullptr restores the message box.
void SetUpdateMessagePresenter(UpdateMessagePresenter presenter);
void ShowUpdateMessage(QWidget* parent, const std::string& caption, const std::string& text);

// Opens an http(s) address or a local file's address with the desktop's
// handler. On failure shows "%s %s !" of the packed failure message and the
// address (unless quiet: the caller has another way), and returns false.
bool OpenAddress(QWidget* parent, const std::string& address, bool quiet = false);

// The user guide (user-guide.html beside the program, else in the installed
// data folder, ProgramDataFile), as a canonical path when it exists.
std::string UserGuidePath();

}  // namespace ign
