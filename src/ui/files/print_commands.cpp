#include "ui/files/print_commands.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QMessageBox>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSignalBlocker>
#include <QTabWidget>
#include <algorithm>
#include <cstdio>
#include <exception>
#include <vector>

#include "core/text/messages.h"
#include "ui/files/print_render.h"
#include "ui/files/window_printout.h"

namespace ign {

namespace {

constexpr int kMsgPrinterNotOpened = 120, kMsgFileNotWritten = 121, kMsgSheetFailed = 122,
              kMsgPrintFailed = 123;

// The page control's tabs while "Print all" shows one at a time; the tabs
// shown before and the page in front come back when it goes.
class TTabsShown {
 public:
  explicit TTabsShown(QTabWidget& tabs) : tabs_(tabs), current_(tabs.currentIndex()) {
    for (int i = 0; i < tabs.count(); ++i) shown_.push_back(tabs.isTabVisible(i));
  }
  ~TTabsShown() {
    for (int i = 0; i < tabs_.count() && i < int(shown_.size()); ++i)
      if (tabs_.isTabVisible(i) != shown_[size_t(i)]) tabs_.setTabVisible(i, shown_[size_t(i)]);
    tabs_.setCurrentIndex(current_);
  }
  TTabsShown(const TTabsShown&) = delete;
  TTabsShown& operator=(const TTabsShown&) = delete;

  // The page's tab alone, and the page in front.
  void ShowOnly(int page) {
    tabs_.setTabVisible(page, true);
    tabs_.setCurrentIndex(page);
    for (int i = 0; i < tabs_.count(); ++i)
      if (i != page && tabs_.isTabVisible(i)) tabs_.setTabVisible(i, false);
  }

 private:
  QTabWidget& tabs_;
  int current_;
  std::vector<bool> shown_;
};

QRectF SheetArea(const QPaintDevice& sheets) { return QRectF(0, 0, sheets.width(), sheets.height()); }

}  // namespace

TPrintCommands::TPrintCommands(PrintHost host, QObject* parent) : QObject(parent), host_(std::move(host)) {}

TPrintCommands::~TPrintCommands() = default;

QPrinter& TPrintCommands::Printer() {
  if (printer_) return *printer_;
  const QPrinterInfo system = QPrinterInfo::defaultPrinter();
  if (system.isNull()) {
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer_->setOutputFormat(QPrinter::PdfFormat);
    const std::string file = host_.header ? host_.header().file : std::string();
    const QString stem = file.empty() ? QStringLiteral("parameters")
                                      : QFileInfo(QString::fromStdString(file)).completeBaseName();
    printer_->setOutputFileName(QDir::home().filePath(stem + QStringLiteral(".pdf")));
  } else {
    printer_ = std::make_unique<QPrinter>(system, QPrinter::HighResolution);
  }
  if (host_.window && host_.window->width() > host_.window->height())
    printer_->setPageOrientation(QPageLayout::Landscape);
  return *printer_;
}

bool TPrintCommands::Ask(bool all) {
  if (host_.commit) host_.commit();
  QPrintDialog dialog(&Printer(), host_.window);
  dialog.setObjectName(all ? QStringLiteral("PrintAllDialog") : QStringLiteral("PrintDialog"));
  if (dialog.exec() != QDialog::Accepted) {
    last_ = PrintResult::kCancelled;
    return false;
  }
  return true;
}

void TPrintCommands::Print() {
  if (Ask(false)) Run(Printer(), false);
}

void TPrintCommands::PrintAll() {
  if (!Ask(true)) return;
  if (host_.loadAllPages) host_.loadAllPages();
  Run(Printer(), true);
}

void TPrintCommands::Preview() {
  if (host_.commit) host_.commit();
  if (host_.loadAllPages) host_.loadAllPages();
  QPrintPreviewDialog dialog(&Printer(), host_.window);
  connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* printer) {
    std::string detail;
    try {
      last_ = Render(*printer, true, detail, false);  // onto the preview's pages, never into a file
    } catch (const std::exception& e) {
      last_ = PrintResult::kFailed;
      detail = e.what();
    }
    Report(last_, *printer, detail);
  });
  dialog.exec();
}

PrintResult TPrintCommands::PrintActiveTo(QPrinter& printer) { return Run(printer, false); }

PrintResult TPrintCommands::PrintAllTo(QPrinter& printer) {
  if (host_.loadAllPages) host_.loadAllPages();
  return Run(printer, true);
}

// A PDF is written beside its name and renamed when complete, so a failed
// printout never leaves a half-written file under the chosen name.
PrintResult TPrintCommands::Run(QPrinter& printer, bool all) {
  const QString target = printer.outputFileName();
  const bool toFile = printer.outputFormat() == QPrinter::PdfFormat && !target.isEmpty();
  const QString partial = target + QStringLiteral(".part");
  if (toFile) printer.setOutputFileName(partial);
  std::string detail;
  PrintResult result;
  try {
    result = Render(printer, all, detail, true);
  } catch (const std::exception& e) {
    result = PrintResult::kFailed;
    detail = e.what();
  } catch (...) {
    result = PrintResult::kFailed;
  }
  if (toFile) {
    printer.setOutputFileName(target);
    if (result == PrintResult::kPrinted) {
      QFile::remove(target);
      if (!QFile::rename(partial, target)) result = PrintResult::kCannotOpen;
    }
    if (result != PrintResult::kPrinted) QFile::remove(partial);
  }
  last_ = result;
  Report(result, printer, detail);
  return result;
}

PrintResult TPrintCommands::Render(QPrinter& printer, bool all, std::string& detail, bool pdfWriter) {
  QMainWindow& window = *host_.window;
  QTabWidget& tabs = *host_.pageControl;
  CWindowPrintout printout(window);  // restores the window when it goes, whatever happened
  printout.Prepare();
  // PDF output goes through the PDF writer: widgets drawn onto it keep
  // their texts and lines. Printers and the preview get the sheet recorded
  // into a picture first (widgets drawn straight onto them come out as
  // bitmaps at the printer's resolution: a minute and megabytes a sheet).
  std::unique_ptr<QPdfWriter> pdf;
  QPagedPaintDevice* sheets = &printer;
  if (pdfWriter && printer.outputFormat() == QPrinter::PdfFormat) {
    pdf = std::make_unique<QPdfWriter>(printer.outputFileName());
    pdf->setPageLayout(printer.pageLayout());
    pdf->setResolution(printer.resolution());
    pdf->setCreator(QStringLiteral("ignset"));
    pdf->setTitle(printer.docName());
    sheets = pdf.get();
  }
  QPainter painter;
  if (!painter.begin(sheets)) return PrintResult::kCannotOpen;
  const auto sheet = [&](int page) {
    if (pdf)
      RenderSheet(painter, SheetArea(*sheets), window, HeaderFor(page));
    else
      RenderSheetRecorded(painter, SheetArea(*sheets), window, HeaderFor(page));
  };
  if (!all) {
    sheet(tabs.currentIndex());
  } else {
    std::vector<int> pages;
    for (const auto& sheet : printout.Tabs())
      if (sheet) pages.push_back(tabs.indexOf(sheet));
    std::sort(pages.begin(), pages.end());
    // Selecting a page here is not the user's page change: the pages are
    // loaded already and the recorder notes no view.
    const QSignalBlocker quiet(&tabs);
    TTabsShown shown(tabs);
    for (size_t i = 0; i < pages.size(); ++i) {
      if (i > 0 && !sheets->newPage()) {
        detail = "new page";
        return PrintResult::kPageFailed;
      }
      shown.ShowOnly(pages[i]);
      sheet(pages[i]);
    }
  }
  if (!painter.end() || (!pdf && printer.printerState() == QPrinter::Error)) return PrintResult::kPageFailed;
  return PrintResult::kPrinted;
}

QString TPrintCommands::HeaderFor(int page) const {
  PrintHeader h = host_.header ? host_.header() : PrintHeader{};
  if (host_.pageControl && page >= 0) h.page = host_.pageControl->tabText(page).toStdString();
  if (h.when.empty())
    h.when = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm")).toStdString();
  return QString::fromStdString(HeaderLine(h));
}

void TPrintCommands::Report(PrintResult result, const QPrinter& printer, const std::string& detail) {
  std::string text;
  switch (result) {
    case PrintResult::kPrinted:
    case PrintResult::kCancelled: return;
    case PrintResult::kCannotOpen:
      text = printer.outputFormat() == QPrinter::PdfFormat
                 ? std::string(Msg(kMsgFileNotWritten)) + " " + printer.outputFileName().toStdString()
                 : std::string(Msg(kMsgPrinterNotOpened)) + " " + printer.printerName().toStdString();
      break;
    case PrintResult::kPageFailed: text = Msg(kMsgSheetFailed); break;
    case PrintResult::kFailed:
      text = Msg(kMsgPrintFailed);
      if (!detail.empty()) text += " " + detail;
      break;
  }
  if (message) {
    message(text);
  } else {
    QMessageBox::warning(host_.window, QString(), QString::fromStdString(text));
  }
}

}  // namespace ign
