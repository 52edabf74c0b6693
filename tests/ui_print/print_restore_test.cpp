// After every way a printout can end, the window is exactly as before: a
// snapshot of every widget compared before and after.
#include <QAbstractSpinBox>
#include <QLabel>
#include <QPrinter>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabWidget>
#include <algorithm>
#include <stdexcept>

#include "tests/ui_print/print_fixture.h"
#include "ui/app/monitor_commands.h"
#include "ui/files/window_printout.h"
#include "ui/mapedit/map_editor.h"
#include "ui/monitor/player_panel.h"

namespace ign::test {
namespace {

struct WidgetState {
  std::string name;
  bool hidden, visible, filled, ownPalette, keepRoom;
  QPalette palette;
  int arrows = -1;
  int printing = -1;
  bool operator==(const WidgetState&) const = default;
};

struct Snapshot {
  std::vector<WidgetState> widgets;
  std::vector<bool> tabs;
  int current = -1;
  bool operator==(const Snapshot&) const = default;
};

Snapshot Take(TMainForm& f) {
  Snapshot s;
  QList<QWidget*> all = f.findChildren<QWidget*>();
  all.prepend(&f);
  for (QWidget* w : all) {
    if (w->window() != &f) continue;  // popups of combo boxes and the like
    // A scroll area shows and hides its own bars as its content's size asks.
    if (w->objectName().startsWith("qt_scrollarea_")) continue;
    const std::string parent = w->parentWidget() ? w->parentWidget()->objectName().toStdString() + "/" : "";
    WidgetState st{parent + w->metaObject()->className() + ":" + w->objectName().toStdString(),
                   w->isHidden(),
                   w->isVisible(),
                   w->autoFillBackground(),
                   w->testAttribute(Qt::WA_SetPalette),
                   w->sizePolicy().retainSizeWhenHidden(),
                   w->palette()};
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(w)) st.arrows = int(spin->buttonSymbols());
    if (auto* tab = qobject_cast<TTab*>(w)) st.printing = tab->Printing() ? 1 : 0;
    s.widgets.push_back(st);
  }
  // By name: showing a page raises it among its siblings, which no one sees.
  std::stable_sort(s.widgets.begin(), s.widgets.end(),
                   [](const WidgetState& a, const WidgetState& b) { return a.name < b.name; });
  QTabWidget* tabs = f.Pages().Control();
  for (int i = 0; i < tabs->count(); ++i) s.tabs.push_back(tabs->isTabVisible(i));
  s.current = tabs->currentIndex();
  return s;
}

// The first difference, for the failure message.
std::string Difference(const Snapshot& a, const Snapshot& b) {
  if (a.widgets.size() != b.widgets.size()) return "widget count";
  for (size_t i = 0; i < a.widgets.size(); ++i)
    if (!(a.widgets[i] == b.widgets[i])) {
      const WidgetState &x = a.widgets[i], &y = b.widgets[i];
      return x.name + " hidden " + std::to_string(x.hidden) + "/" + std::to_string(y.hidden) + " visible " +
             std::to_string(x.visible) + "/" + std::to_string(y.visible) + " palette " +
             std::to_string(x.palette == y.palette) + " fill " + std::to_string(x.filled) + "/" +
             std::to_string(y.filled) + " own " + std::to_string(x.ownPalette) + "/" +
             std::to_string(y.ownPalette) + " room " + std::to_string(x.keepRoom) + "/" +
             std::to_string(y.keepRoom);
    }
  return a.tabs != b.tabs ? "tab visibility" : a.current != b.current ? "current page" : "";
}

QPalette DarkTheme() {
  QPalette p(QColor(0x35, 0x35, 0x35));  // button colour
  p.setColor(QPalette::Window, QColor(0x2a, 0x2a, 0x2a));
  p.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xee));
  p.setColor(QPalette::Base, QColor(0x20, 0x20, 0x20));
  p.setColor(QPalette::Text, QColor(0xee, 0xee, 0xee));
  p.setColor(QPalette::ButtonText, QColor(0xee, 0xee, 0xee));
  return p;
}

class PrintRestoreTest : public PrintFixture {
 protected:
  void TearDown() override {
    CWindowPrintout::SetChangeHook(nullptr);
    PrintFixture::TearDown();
  }
  // The limiter's label in a green of its own, filled.
  QLabel* LabelWithOwnColour() {
    QLabel* own = Find<QLabel>("LabelLimiter");
    QPalette p = own->palette();
    p.setColor(QPalette::Window, QColor(0, 200, 0));
    own->setPalette(p);
    own->setAutoFillBackground(true);
    return own;
  }
  // A short recording played back: the player's scroll bar shows.
  void StartPlayback(TMainForm& f) {
    if (Find<QWidget>("GroupBoxPlayer")->isHidden()) f.MenuMonitorPlayerClick();
    TMonitorCommands& m = f.MonitorCommands();
    const std::string ride = dir_.File("ride.ignlog");
    m.chooseFile = [ride](bool, const char*, const char*) { return ride; };
    m.SpeedButtonPlay(TPlayerPanel::Record);
    m.SpeedButtonPlay(TPlayerPanel::Stop);
    m.SpeedButtonPlay(TPlayerPanel::Play);
    for (const SessionMessage& message : f.Session().TakeMessages()) messages_.push_back(message.text);
  }
  // A printer writing a PDF file at path, without the dialog.
  PrintResult PrintInto(const std::string& path) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(path));
    return form_->PrintCommands().PrintActiveTo(printer);
  }
};

TEST_F(PrintRestoreTest, WindowComesBackAsItWasHoweverThePrintoutEnds) {
  struct Case {
    const char* name;
    std::function<void()> run;
    std::string message;  // the start of the one message expected ("" none)
    bool dark = false;
  };
  const Case cases[] = {
      {"print",
       [this] {
         AnswerDialog(dir_.File("print.pdf"));
         Find<QAction>("MenuPrint")->trigger();
       },
       ""},
      {"print all",
       [this] {
         AnswerDialog(dir_.File("all.pdf"));
         Find<QAction>("MenuPrintAll")->trigger();
       },
       ""},
      {"file in a missing folder",
       [this] {
         EXPECT_EQ(PrintInto(dir_.File("missing/x.pdf")), PrintResult::kCannotOpen);
         EXPECT_FALSE(QFile::exists(QString::fromStdString(dir_.File("missing/x.pdf"))));
       },
       "Printing failed: the file could not be written: "},
      {"exception while preparing",
       [this] {
         CWindowPrintout::SetChangeHook([](size_t n) {
           if (n == 12) throw std::runtime_error("test fault");
         });
         EXPECT_EQ(PrintInto(dir_.File("fault.pdf")), PrintResult::kFailed);
         EXPECT_FALSE(QFile::exists(QString::fromStdString(dir_.File("fault.pdf"))));
         EXPECT_FALSE(QFile::exists(QString::fromStdString(dir_.File("fault.pdf.part"))));
       },
       "Printing failed: test fault"},
      {"dark theme",
       [this] {
         AnswerDialog(dir_.File("dark.pdf"));
         Find<QAction>("MenuPrint")->trigger();
       },
       "", true},
  };
  const QPalette light = QApplication::palette();
  for (const Case& c : cases) {
    if (c.dark) QApplication::setPalette(DarkTheme());
    TMainForm& f = StartShown(Page::Misc);
    StartPlayback(f);
    // A label in a colour of its own, one hidden before.
    LabelWithOwnColour();
    Find<QWidget>("ButtonMonPu")->hide();
    ASSERT_TRUE(Find<QScrollBar>("ScrollBarPlay")->isVisible()) << c.name;
    f.Pages().LoadPages(true);  // what the commands' commit and Print all do to the page and the display
    const Snapshot before = Take(f);
    c.run();
    if (c.message.empty()) {
      EXPECT_TRUE(messages_.empty()) << c.name << ": " << messages_.front();
    } else {
      ASSERT_EQ(messages_.size(), 1u) << c.name;
      EXPECT_EQ(messages_[0].rfind(c.message, 0), 0u) << c.name << ": " << messages_[0];
    }
    const Snapshot after = Take(f);
    EXPECT_TRUE(before == after) << c.name << ": " << Difference(before, after);
    EXPECT_TRUE(Find<QScrollBar>("ScrollBarPlay")->isVisible()) << c.name;
    f.Session().Monitor().StopPlayer();
    EXPECT_TRUE(Find<QWidget>("ButtonMonPu")->isHidden()) << c.name;
    messages_.clear();
    CWindowPrintout::SetChangeHook(nullptr);
    form_.reset();
    if (c.dark) QApplication::setPalette(light);
  }
}

// While prepared: what paper shows of the controls the edge cases name.
TEST_F(PrintRestoreTest, PrepareChangesOnlyWhatPaperMustNotShow) {
  TMainForm& f = StartShown(Page::Advance);
  StartPlayback(f);
  QLabel* own = LabelWithOwnColour();
  QLabel* plain = Find<QLabel>("LabelRpm");  // the live display's button face, filled
  ASSERT_TRUE(plain->autoFillBackground());
  CWindowPrintout printout(f);
  printout.Prepare();
  EXPECT_TRUE(own->autoFillBackground());
  EXPECT_EQ(own->palette().color(QPalette::Window), QColor(0, 200, 0));
  EXPECT_FALSE(plain->autoFillBackground());
  EXPECT_TRUE(Find<QScrollBar>("ScrollBarPlay")->isHidden());
  EXPECT_TRUE(Find<QWidget>("ButtonMonPu")->isHidden());
  EXPECT_TRUE(Find<QWidget>("GroupBoxToolBar")->isHidden());
  EXPECT_EQ(UpDown("EditBaseAdv")->buttonSymbols(), QAbstractSpinBox::NoButtons);
  EXPECT_EQ(f.palette().color(QPalette::Window), QColor(Qt::white));
  EXPECT_EQ(f.statusBar()->palette().color(QPalette::Window), QColor(Qt::white));
  int printing = 0;
  for (TTab* tab : f.findChildren<TTab*>()) printing += tab->Printing() ? 1 : 0;
  EXPECT_GT(printing, 0);
  EXPECT_EQ(printout.Tabs().size(), 7u);
  printout.Restore();
  EXPECT_TRUE(printout.Changes().empty());
  EXPECT_TRUE(printout.Tabs().empty());
  EXPECT_TRUE(plain->autoFillBackground());
  EXPECT_FALSE(Find<QScrollBar>("ScrollBarPlay")->isHidden());
}

// A dark theme prints dark text on white: the page has dark pixels.
TEST_F(PrintRestoreTest, DarkThemePrintsDarkTextOnWhite) {
  const QPalette light = QApplication::palette();
  QApplication::setPalette(DarkTheme());
  StartShown(Page::Misc);
  const std::string pdf = dir_.File("dark.pdf");
  EXPECT_EQ(PrintInto(pdf), PrintResult::kPrinted);
  const QImage page = PdfPicture(pdf, dir_.File("dark"), 100);
  QApplication::setPalette(light);
  ASSERT_FALSE(page.isNull());
  int dark = 0, white = 0;
  for (int y = 0; y < page.height(); ++y)
    for (int x = 0; x < page.width(); ++x) {
      const int l = page.pixelColor(x, y).lightness();
      dark += l < 128 ? 1 : 0;
      white += l >= 250 ? 1 : 0;
    }
  EXPECT_GT(white, page.width() * page.height() / 2);
  EXPECT_GT(dark, 500);  // the texts (light text would leave none)
}

}  // namespace
}  // namespace ign::test
