// ign_mapedit_shots <dir>: saves the map editor's screenshots into dir.
#include <QApplication>
#include <cstdio>

#include "tests/ui_mapedit/map_editor_shots.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: ign_mapedit_shots <dir>\n");
    return 2;
  }
  QApplication app(argc, argv);
  ign::SaveMapEditorShots(QString::fromLocal8Bit(argv[1]));
  return 0;
}
