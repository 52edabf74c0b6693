#pragma once
// Named states of the windows, one picture each.
#include <QString>
#include <functional>

namespace ign::shots {

// Saves the whole screen as <dir>/<name>.png (ImageMagick's import, so menus
// and dialogs appear as a user sees them); false when it could not.
bool SaveScreen(const QString& dir, const QString& name);

// Runs the event loop until done() holds or ms pass.
bool Settle(const std::function<bool()>& done, int ms);
void Settle(int ms);

// The main window: no unit, a connected unit after Read, Czech, the COM menu.
int MainWindowShots(const QString& dir);

// The parameter pages: Bike with a preset bike and with "Special setting" on
// system 14, Miscellaneous with Quickshift and Start limiter inputs, Advance
// Map without a load sensor and with IAP.
int PagesShots(const QString& dir);

}  // namespace ign::shots
