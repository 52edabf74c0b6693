// ign_shots <folder> [group...]: builds the named states of the windows and
// saves a picture of each into the folder; with group names (main, pages,
// pages2, powerout, monitor, analysis, pickup, update, print, mapedit, history) only those groups.
#include <QApplication>
#include <QDir>
#include <QProcess>
#include <cstdio>
#include <cstring>
#include <utility>

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
    std::fprintf(stderr, "usage: ign_shots <folder> [group...]\n");
    return 2;
  }
  const QString dir = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(dir);
  const std::pair<const char*, int (*)(const QString&)> groups[] = {
      {"main", ign::shots::MainWindowShots},   {"pages", ign::shots::PagesShots},
      {"pages2", ign::shots::PagesIIShots},    {"powerout", ign::shots::PowerOutShots},
      {"monitor", ign::shots::MonitorShots},   {"analysis", ign::shots::AnalysisShots},   {"pickup", ign::shots::PickupShots},
      {"update", ign::shots::UpdateShots},     {"print", ign::shots::PrintShots},
      {"mapedit", ign::shots::MapEditorShots}, {"history", ign::shots::HistoryShots},
  };
  auto wanted = [&](const char* group) {
    if (argc < 3) return true;
    for (int i = 2; i < argc; ++i)
      if (std::strcmp(argv[i], group) == 0) return true;
    return false;
  };
  int failed = 0;
  for (const auto& [name, shots] : groups)
    if (wanted(name)) failed += shots(dir);
  return failed == 0 ? 0 : 1;
}
