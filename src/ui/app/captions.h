#pragma once
// Writes the caption and hint tables into the main window. Rows whose control
// does not exist (yet) are skipped, so a page gets its texts as soon as it
// creates its controls under their object names.
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

// Registers the three writers with the relabelling; returns the step ids for
// UnregisterRelabelStep. window and menu must outlive the registration.
std::vector<int> RegisterCaptionSteps(QWidget& window, const TMainMenu& menu);

}  // namespace ign
