// ign_mapedit_clipboard_peer: one side of a clipboard exchange between two
// processes (run under a real display, e.g. xvfb-run):
//   copy       fills the advance map, runs Copy table, prints "ready" and
//              keeps serving the clipboard until its input closes (cap 20 s);
//   copytext   puts spreadsheet text ("21<TAB>22<CR><LF>23<TAB>24<CR><LF>") on the clipboard, likewise;
//   paste      waits (cap 5 s) for content, pastes into the second map (table)
//              or at cell (2, 3) (text) and prints what arrived.
#include <unistd.h>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QSocketNotifier>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "tests/mapedit/fixtures.h"
#include "tests/ui_mapedit/host.h"
#include "ui/mapedit/clipboard_formats.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  using namespace ign;
  const char* mode = argc > 1 ? argv[1] : "";
  auto h = test::MakeAdvanceHost();
  if (std::strcmp(mode, "copy") == 0 || std::strcmp(mode, "copytext") == 0) {
    if (std::strcmp(mode, "copy") == 0) {
      for (int r = 0; r < 10; ++r)
        for (int c = 0; c < 15; ++c) h->Sheet().Cell(c, r) = (c * 5 + r * 3) % 40 - 10;
      h->editor->Execute(Cmd::kCopyTable);
    } else {
      QGuiApplication::clipboard()->setText(QStringLiteral("21\t22\r\n23\t24\r\n"));
    }
    std::printf("ready\n");
    std::fflush(stdout);
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
      char buffer[64];
      if (read(STDIN_FILENO, buffer, sizeof buffer) <= 0) app.quit();
    });
    QTimer::singleShot(20000, &app, &QCoreApplication::quit);
    app.exec();
    return 0;
  }
  QElapsedTimer cap;
  cap.start();
  TClipboardFormats& formats = TClipboardFormats::Instance();
  while (cap.elapsed() < 5000 && !formats.HasSheet() && !formats.HasText()) {
    app.processEvents(QEventLoop::AllEvents, 50);
    formats.Refresh();
  }
  if (formats.HasSheet()) {
    test::Key(h->editor, Qt::Key_Tab);
    h->editor->Execute(Cmd::kPaste);
    std::printf("table into sheet %d: cell(1,1)=%d cell(14,9)=%d\n", h->editor->Model().ActiveIndex(),
                h->Sheet().Cell(1, 1), h->Sheet().Cell(14, 9));
  } else if (formats.HasText()) {
    test::Click(h->editor, test::CellCentre(*h, 2, 3));
    h->editor->Execute(Cmd::kPaste);
    std::printf("text: %d %d / %d %d\n", h->Sheet().Cell(2, 3), h->Sheet().Cell(3, 3), h->Sheet().Cell(2, 4),
                h->Sheet().Cell(3, 4));
  } else {
    std::printf("nothing on the clipboard\n");
  }
  return 0;
}
