// ign_shots <folder> [state-prefix]: builds the named states of the windows
// and saves a picture of each into the folder.
#include <QApplication>
#include <QDir>
#include <QProcess>
#include <cstdio>

#include "tests/shots/shots.h"
#include "tests/ui/qt_app.h"

namespace ign::shots {

bool SaveScreen(const QString& dir, const QString& name) {
  Settle(300);  // let the window manager-less X server finish drawing
  const QString file = dir + "/" + name + ".png";
  const int rc = QProcess::execute("import", {"-window", "root", file});
  std::printf("%s %s\n", rc == 0 ? "saved" : "FAILED", file.toUtf8().constData());
  return rc == 0;
}

bool Settle(const std::function<bool()>& done, int ms) { return test::WaitFor(done, ms); }

void Settle(int ms) {
  Settle([] { return false; }, ms);
}

}  // namespace ign::shots

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: ign_shots <folder>\n");
    return 2;
  }
  const QString dir = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(dir);
  int failed = 0;
  failed += ign::shots::MainWindowShots(dir);
  failed += ign::shots::PagesShots(dir);
  failed += ign::shots::PagesIIShots(dir);
  failed += ign::shots::PowerOutShots(dir);
  failed += ign::shots::MonitorShots(dir);
  failed += ign::shots::UpdateShots(dir);
  return failed == 0 ? 0 : 1;
}
