#pragma once
// The print commands of the main window: Print (the page in front), Print
// all (every page whose tab is shown, one sheet each) and the preview. Each
// commits a pending control change first, then asks the print dialog, and
// only when it is accepted prepares the window, prints and restores it in one
// synchronous block, so no timer tick ever sees the prepared window. A
// printer or file that cannot be opened, or a sheet that fails, gives one
// message in the current language; the window is restored in every case.
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "ui/files/print_header.h"

class QMainWindow;
class QPrinter;
class QTabWidget;

namespace ign {

// What the commands need of the window.
struct PrintHost {
  QMainWindow* window = nullptr;
  QTabWidget* pageControl = nullptr;
  std::function<void()> commit;         // a pending control change into the image, committed
  std::function<void()> loadAllPages;   // every page from the image
  std::function<PrintHeader()> header;  // the header's parts but the page
};

enum class PrintResult { kPrinted, kCancelled, kCannotOpen, kPageFailed, kFailed };

class TPrintCommands : public QObject {
 public:
  TPrintCommands(PrintHost host, QObject* parent);
  ~TPrintCommands() override;

  // Failure messages; a message box unless a test puts its own in.
  std::function<void(const std::string& text)> message;

  void Print();
  void PrintAll();
  void Preview();

  // The same without the dialog, onto a printer set up by the caller.
  PrintResult PrintActiveTo(QPrinter& printer);
  PrintResult PrintAllTo(QPrinter& printer);

  // The printer of the dialog, kept with its settings for the run: the
  // system's default printer, or a PDF file when there is none; landscape
  // when the window is wider than high.
  QPrinter& Printer();
  PrintResult LastResult() const { return last_; }

 private:
  bool Ask(bool all);
  PrintResult Run(QPrinter& printer, bool all);
  // pdfWriter: a printer set to PDF output writes through the PDF writer
  // (the preview's printer reports PDF output too, but paints its pages).
  PrintResult Render(QPrinter& printer, bool all, std::string& detail, bool pdfWriter);
  void Report(PrintResult result, const QPrinter& printer, const std::string& detail);
  QString HeaderFor(int page) const;

  PrintHost host_;
  std::unique_ptr<QPrinter> printer_;
  PrintResult last_ = PrintResult::kCancelled;
};

}  // namespace ign
