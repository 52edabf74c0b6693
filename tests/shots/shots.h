#pragma once
// Named states of the windows, one picture each.
#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <cstdlib>
#include <functional>
#include <string>

#include "core/params/image.h"
#include "core/text/language.h"

namespace ign::shots {

// A private settings folder, port folder, marker file and hand-over socket
// for one window, so that no state leaks between pictures or from the user.
struct Sandbox {
  QTemporaryDir dir;
  Sandbox() {
    const QByteArray root = dir.path().toUtf8();
    QDir().mkpath(dir.path() + "/settings");
    QDir().mkpath(dir.path() + "/ports");
    ::setenv("IGN_SETTINGS_DIR", (root + "/settings").constData(), 1);
    ::setenv("IGN_MARKER_FILE", (root + "/marker").constData(), 1);
    ::setenv("IGN_PORT_DIR", (root + "/ports").constData(), 1);
    ::setenv("IGN_HANDOVER_SOCKET", (root + "/handover.sock").constData(), 1);
  }
  std::string Ports() const { return (dir.path() + "/ports").toStdString(); }
};

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

// A fresh window in the language showing the page, with the image changed
// by setup and committed; 0 when the picture was saved.
int PageShot(const QString& dir, const char* name, int page, const std::function<void(Image&)>& setup,
             int language = LNG_ENGLISH);

// The Sensors, Servo and Test pages, and every page in German and Czech.
int PagesIIShots(const QString& dir);

// The Power out page with its output functions.
int PowerOutShots(const QString& dir);

// The live display against the simulated unit, the CSV title and playback.
int MonitorShots(const QString& dir);

// The pick-up monitor fed by the simulated unit: synchronised with a stored
// dimension, time mode, zoomed and panned, other colours.
int PickupShots(const QString& dir);

// The update offer: Czech rich text and English plain text.
int UpdateShots(const QString& dir);

// The printout: the window right after printing and page 1 of the PDF.
int PrintShots(const QString& dir);

// The Advance Map page's editor: the 3D view turned to 45 degrees, and a 2D
// drag with the value being set shown beside the point.
int MapEditorShots(const QString& dir);

// The unit history window (a Program selected, two entries compared, Czech)
// and the difference view of the editor against a file, with the cells
// marked in the map editor, and after it was closed.
int HistoryShots(const QString& dir);
// The ride analysis: plots with a cursor, the scatter, the histogram, two
// rides, the hit table, and the advance map shaded by its hit counts.
int AnalysisShots(const QString& dir);

}  // namespace ign::shots
