// The printout: the window before and right after printing (it must look
// the same), and page 1 of each PDF as a picture beside the screenshots.
#include <QAction>
#include <QApplication>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QTimer>

#include "tests/shots/shots.h"
#include "ui/app/main_form.h"
#include "ui/files/print_commands.h"
#include "ui/pages/pages.h"

namespace ign::shots {

namespace {

// Page 1 of the PDF as <dir>/<name>.png.
bool SavePage(const QString& pdf, const QString& dir, const QString& name) {
  const int rc = QProcess::execute(
      "pdftoppm", {"-png", "-r", "100", "-f", "1", "-l", "1", "-singlefile", pdf, dir + "/" + name});
  std::printf("%s %s/%s.png\n", rc == 0 ? "saved" : "FAILED", dir.toUtf8().constData(),
              name.toUtf8().constData());
  return rc == 0;
}

int PrintShot(const QString& dir, const char* name, int page, bool all) {
  Sandbox box;
  TMainForm form(QStringList{"ignset", "nopatchcheck"});
  form.FormCreate();
  form.move(0, 0);
  form.resize(1260, 860);
  form.Params().Working()[Adrb::LIMITER] = 123;
  form.CommitImageChange();
  form.ShowPage(page);
  form.show();
  Settle(400);
  int failed = !SaveScreen(dir, QString(name) + "-window-before");
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  const QString pdf = box.dir.path() + "/" + name + ".pdf";
  printer.setOutputFileName(pdf);
  printer.setPageOrientation(QPageLayout::Landscape);
  const PrintResult result =
      all ? form.PrintCommands().PrintAllTo(printer) : form.PrintCommands().PrintActiveTo(printer);
  failed += result == PrintResult::kPrinted ? 0 : 1;
  failed += !SaveScreen(dir, QString(name) + "-window-after");
  failed += !SavePage(pdf, dir, QString(name) + "-page1");
  return failed;
}

// The print preview over the window, on the Advance Map page.
int PreviewShot(const QString& dir) {
  Sandbox box;
  TMainForm form(QStringList{"ignset", "nopatchcheck"});
  form.FormCreate();
  form.move(0, 0);
  form.resize(1260, 860);
  form.ShowPage(Page::Advance);
  form.show();
  Settle(400);
  int failed = 1;
  QTimer::singleShot(300, [&] {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      auto* preview = qobject_cast<QPrintPreviewDialog*>(w);
      if (!preview || !preview->isVisible()) continue;
      preview->move(60, 40);
      preview->resize(1100, 800);
      Settle(800);
      failed = !SaveScreen(dir, "print-preview");
      preview->reject();
      return;
    }
  });
  form.findChild<QAction*>("MenuPrintPreview")->trigger();
  return failed;
}

}  // namespace

int PrintShots(const QString& dir) {
  int failed = PreviewShot(dir);
  failed += PrintShot(dir, "print-advance", Page::Advance, false);
  failed += PrintShot(dir, "print-all-from-servo", Page::Servo, true);
  return failed;
}

}  // namespace ign::shots
