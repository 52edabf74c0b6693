// ign_print_bench: the printout against the 55 ms tick (offscreen). Prepare
// plus restore on the Advance Map page, one page to PDF, Print all to PDF,
// and the PDF's size per sheet. Prints a table; never fails on time.
#include <QApplication>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "tests/support/private_folders.h"
#include "tests/support/tick_figures.h"
#include "ui/app/main_form.h"
#include "ui/files/print_commands.h"
#include "ui/files/window_printout.h"
#include "ui/pages/pages.h"

namespace {

using ign::test::kTickMs;

double MedianMs(int runs, const std::function<void()>& work) {
  std::vector<double> ms = ign::test::TimeRuns(runs, work);
  std::sort(ms.begin(), ms.end());
  return ms[ms.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  QTemporaryDir dir;
  const QByteArray root = dir.path().toUtf8();
  ign::test::UsePrivateFolders(root.toStdString());
  ign::TMainForm form({"ignset", "nopatchcheck"});
  form.FormCreate();
  form.show();
  form.ShowPage(ign::Page::Advance);
  form.PrintCommands().message = [](const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); };
  const int runs = 15;

  const double prepare = MedianMs(runs, [&] {
    ign::CWindowPrintout printout(form);
    printout.Prepare();
    printout.Restore();
  });
  auto pdfInto = [&](const QString& name) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(dir.filePath(name));
    printer->setPageOrientation(QPageLayout::Landscape);
    return printer;
  };
  auto one = pdfInto("one.pdf");
  const double onePage = MedianMs(runs, [&] { form.PrintCommands().PrintActiveTo(*one); });
  auto all = pdfInto("all.pdf");
  const double allPages = MedianMs(5, [&] { form.PrintCommands().PrintAllTo(*all); });
  const double oneKb = QFileInfo(dir.filePath("one.pdf")).size() / 1024.0;
  const double allKb = QFileInfo(dir.filePath("all.pdf")).size() / 1024.0;

  std::printf("### ign_print_bench (offscreen, against the 55 ms tick, median of %d)\n\n", runs);
  std::printf("| measure | ms | ticks | aim |\n|---|---|---|---|\n");
  std::printf("| prepare + restore, Advance Map page | %.1f | %.2f | < 1 tick |\n", prepare,
              prepare / kTickMs);
  std::printf("| Print, one page to PDF | %.1f | %.2f | < 10 ticks |\n", onePage, onePage / kTickMs);
  std::printf("| Print all, 7 pages to PDF | %.1f | %.2f | < 7.5 x one page (%.1f x) |\n", allPages,
              allPages / kTickMs, allPages / onePage);
  std::printf("\n| PDF | KB | KB per sheet | aim |\n|---|---|---|---|\n");
  std::printf("| one page | %.1f | %.1f | < 300 KB |\n", oneKb, oneKb);
  std::printf("| Print all | %.1f | %.1f | < 300 KB |\n", allKb, allKb / 7);
  form.close();
  return 0;
}
