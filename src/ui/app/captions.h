#pragma once
// Writes the caption and hint tables into the main window. A row whose
// control does not exist is skipped when writing; MissingCaptionTargets lists
// such rows, so a renamed control cannot lose its caption unnoticed.
#include <string>
#include <vector>

class QWidget;

namespace ign {

class TMainMenu;

// Step 2: menu captions; also shows "Print all".
void WriteMenuCaptions(QWidget& window, const TMainMenu& menu);
// Step 3: hints, as tool tip and status-bar text.
void WriteHints(QWidget& window, const TMainMenu& menu);
// Part of step 4: the captions of the window's controls and of every page
// control that exists.
void WritePageTexts(QWidget& window);

// The rows of the menu, hint and page tables whose menu item or control the
// window does not have (roles excepted: the pages write those themselves).
std::vector<std::string> MissingCaptionTargets(QWidget& window, const TMainMenu& menu);

// Registers the three writers with the relabelling; returns the step ids for
// UnregisterRelabelStep. window and menu must outlive the registration.
std::vector<int> RegisterCaptionSteps(QWidget& window, const TMainMenu& menu);
// The same for controls without a menu (the pages on their own).
std::vector<int> RegisterControlCaptionSteps(QWidget& controls);

}  // namespace ign
