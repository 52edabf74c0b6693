// Print and Print all through the real print dialog into PDF files, read back
// with the poppler tools.
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTabWidget>
#include <QToolButton>

#include "core/monitor/recording_reader.h"
#include "tests/ui_print/print_fixture.h"
#include "ui/app/monitor_commands.h"
#include "ui/monitor/player_panel.h"

namespace ign::test {
namespace {

constexpr int kCellByte = 100 + 17;          // the advance map's first column: 17 degrees
constexpr const char* kCellText = "\n17\n";  // a cell's text stands on its own line

// Everything but the header line.
std::string Body(const std::string& text) {
  const size_t end = text.find('\n');
  return end == std::string::npos ? std::string() : text.substr(end + 1);
}

class PrintWindowTest : public PrintFixture {
 protected:
  TMainForm& StartWithValues(int page) {
    TMainForm& f = StartShown(page);
    Img()[Adrb::LIMITER] = 123;
    for (int r = 0; r < kMapRows; ++r) Img()[size_t(Adrb::ADVANCE + kMapCols * r)] = kCellByte;
    f.CommitImageChange();
    return f;
  }
  // The texts the screen shows and paper must not.
  std::vector<std::string> HiddenTexts() {
    std::vector<std::string> texts = {"Programming after change",
                                      Find<QLabel>("LabelConnection")->text().toStdString()};
    for (QToolButton* b : Find<QGroupBox>("GroupBoxToolBar")->findChildren<QToolButton*>())
      texts.push_back(b->text().remove('&').toStdString());
    return texts;
  }
};

TEST_F(PrintWindowTest, PrintPutsThePageInFrontOnOneSheet) {
  struct Case {
    int page;
    std::vector<std::string> texts;
  };
  const Case cases[] = {
      {Page::Misc, {"Limiter [rpm]", "12,300", "Multifunction input 1"}},
      {Page::Advance, {kCellText}},
  };
  for (const Case& c : cases) {
    TMainForm& f = StartWithValues(c.page);
    const std::string pdf = dir_.File("page" + std::to_string(c.page) + ".pdf");
    AnswerDialog(pdf);
    Find<QAction>("MenuPrint")->trigger();
    EXPECT_EQ(dialogs_, 1);
    dialogs_ = 0;
    EXPECT_TRUE(messages_.empty()) << messages_.front();
    ASSERT_EQ(PdfPages(pdf), 1) << c.page;
    const std::string text = PdfText(pdf);
    const std::string caption = f.Pages().Control()->tabText(c.page).toStdString();
    EXPECT_EQ(text.rfind(caption + " | ", 0), 0u) << text.substr(0, 80);  // the header line
    for (const std::string& t : c.texts) EXPECT_TRUE(Contains(Body(text), t)) << c.page << ": " << t;
    for (const std::string& t : HiddenTexts()) EXPECT_FALSE(Contains(Body(text), t)) << c.page << ": " << t;
    form_.reset();
  }
}

// The preview paints every shown page onto its own pages; the printer kept
// for the run writes no file meanwhile, even when it is set to PDF output.
TEST_F(PrintWindowTest, PreviewShowsEveryPageAndWritesNoFile) {
  TMainForm& f = StartWithValues(Page::Advance);
  QPrinter& kept = f.PrintCommands().Printer();
  kept.setOutputFormat(QPrinter::PdfFormat);
  const std::string pdf = dir_.File("kept.pdf");
  kept.setOutputFileName(QString::fromStdString(pdf));
  int pages = -1;
  QTimer::singleShot(50, [&] {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      auto* dialog = qobject_cast<QPrintPreviewDialog*>(w);
      if (!dialog) continue;
      WaitFor([&] { return dialog->findChild<QPrintPreviewWidget*>()->pageCount() > 0; }, 10000);
      pages = dialog->findChild<QPrintPreviewWidget*>()->pageCount();
      dialog->reject();
    }
  });
  Find<QAction>("MenuPrintPreview")->trigger();
  EXPECT_EQ(pages, 7);
  EXPECT_TRUE(messages_.empty());
  EXPECT_FALSE(QFile::exists(QString::fromStdString(pdf)));
  EXPECT_FALSE(QFile::exists(QString::fromStdString(pdf + ".part")));
}

TEST_F(PrintWindowTest, CancelledDialogPrintsNothing) {
  StartWithValues(Page::Misc);
  const std::string pdf = dir_.File("cancelled.pdf");
  AnswerDialog(pdf, false);
  Find<QAction>("MenuPrint")->trigger();
  EXPECT_EQ(dialogs_, 1);
  EXPECT_FALSE(QFile::exists(QString::fromStdString(pdf)));
  EXPECT_TRUE(messages_.empty());
  EXPECT_EQ(form_->PrintCommands().LastResult(), PrintResult::kCancelled);
}

// One sheet per shown tab, each with its page; the page in front stays.
TEST_F(PrintWindowTest, PrintAllPrintsEveryShownPageAndKeepsThePageInFront) {
  TMainForm& f = StartWithValues(Page::Servo);
  QTabWidget* tabs = f.Pages().Control();
  const std::string pdf = dir_.File("all.pdf");
  AnswerDialog(pdf);
  Find<QAction>("MenuPrintAll")->trigger();
  EXPECT_TRUE(messages_.empty()) << messages_.front();
  ASSERT_EQ(PdfPages(pdf), 7);
  int sheet = 0;
  for (int page :
       {Page::Misc, Page::Bike, Page::Sensors, Page::Advance, Page::PowerOut, Page::Servo, Page::Test}) {
    const std::string text = PdfText(pdf, ++sheet);
    EXPECT_EQ(text.rfind(tabs->tabText(page).toStdString() + " | ", 0), 0u)
        << sheet << ": " << text.substr(0, 60);
    if (page == Page::Misc) {
      EXPECT_TRUE(Contains(text, "12,300"));
    }
    if (page == Page::Advance) {
      EXPECT_TRUE(Contains(Body(text), kCellText));
    }
  }
  EXPECT_EQ(tabs->currentIndex(), Page::Servo);
  EXPECT_EQ(f.Pages().ActivePage(), Page::Servo);
}

TEST_F(PrintWindowTest, TypedValueNotYetTakenIsInTheImageAndOnPaper) {
  StartShown(Page::Misc);
  TUpDown* limiter = UpDown("EditLimiter");
  limiter->setFocus();
  Type(limiter, "12345");
  ASSERT_NE(Img()[Adrb::LIMITER], 123);
  const std::string pdf = dir_.File("typed.pdf");
  AnswerDialog(pdf);
  Find<QAction>("MenuPrintAll")->trigger();
  EXPECT_EQ(Img()[Adrb::LIMITER], 123);
  EXPECT_TRUE(Contains(PdfText(pdf, 1), "12,300"));
}

TEST_F(PrintWindowTest, PrintAllWhileRecordingAddsNoViewRecords) {
  TMainForm& f = StartWithValues(Page::Advance);
  TMonitorCommands& m = f.MonitorCommands();
  const std::string ride = dir_.File("ride.ignlog");
  m.chooseFile = [&](bool, const char*, const char*) { return ride; };
  m.SpeedButtonPlay(TPlayerPanel::Record);
  const int initial = f.Session().Monitor().Player().Length();
  AnswerDialog(dir_.File("recorded.pdf"));
  Find<QAction>("MenuPrintAll")->trigger();
  m.SpeedButtonPlay(TPlayerPanel::Stop);
  ASSERT_TRUE(messages_.empty()) << messages_.front();
  ASSERT_TRUE(f.Session().TakeMessages().empty()) << "the recorder had nothing to say";
  const RecordingLoad load = ReadRecording(ride);
  ASSERT_TRUE(load.recording) << RecordingErrorMessage(load);
  int views = 0, initialViews = 0;
  for (size_t i = 0; i < load.recording->records.size(); ++i) {
    if (load.recording->records[i].type != 5) continue;
    ++views;
    if (int(i) < initial) ++initialViews;
  }
  EXPECT_EQ(views, initialViews);
  EXPECT_EQ(PdfPages(dir_.File("recorded.pdf")), 7);
}

// Page 1 as a picture: white paper, and nothing where the tool bar and the
// status row are on screen (the gap between the header and the tab bar).
TEST_F(PrintWindowTest, SheetIsWhiteAndTheToolBarsPlaceIsEmpty) {
  StartWithValues(Page::Misc);
  const std::string pdf = dir_.File("picture.pdf");
  AnswerDialog(pdf);
  Find<QAction>("MenuPrint")->trigger();
  const QImage page = PdfPicture(pdf, dir_.File("picture"), 50);
  ASSERT_FALSE(page.isNull());
  auto white = [&](int x, int y) { return page.pixelColor(x, y).lightness() >= 250; };
  auto rowWhite = [&](int y) {
    for (int x = 0; x < page.width(); ++x)
      if (!white(x, y)) return false;
    return true;
  };
  int whitePixels = 0;
  for (int y = 0; y < page.height(); ++y)
    for (int x = 0; x < page.width(); ++x) whitePixels += white(x, y) ? 1 : 0;
  EXPECT_GT(whitePixels, page.width() * page.height() * 3 / 4);
  EXPECT_TRUE(white(0, 0) && white(page.width() - 1, page.height() - 1));
  // Header rows, then the gap, then the picture's first row (the tab bar).
  int y = 0;
  while (y < page.height() && rowWhite(y)) ++y;
  while (y < page.height() && !rowWhite(y)) ++y;
  const int gapStart = y;
  while (y < page.height() && rowWhite(y)) ++y;
  const QWidget* tabs = Find<QWidget>("PageControl1");
  const double onScreen = double(tabs->mapTo(form_.get(), QPoint()).y()) / form_->height();
  // The status row and the tool bar take about a tenth of the window.
  EXPECT_GT(y - gapStart, int(page.height() * onScreen * 0.5)) << gapStart << ".." << y;
  QFile::copy(QString::fromStdString(dir_.File("picture.png")), "/tmp/ign-print-page1.png");
}

}  // namespace
}  // namespace ign::test
