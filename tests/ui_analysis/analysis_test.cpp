// The ride analysis window and the hit counts on the map editors: logs open
// with their values at the cursor, damaged files name their fault, the
// editors' cells carry the time spent in them (shaded, in the hint and for
// screen readers), and the counts use the same cells as the live marker.
#include <qcustomplot.h>
#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include "core/logs/map_grid.h"
#include "tests/logs/log_fixture.h"
#include "tests/ui_pages/pages_fixture.h"
#include "ui/analysis/analysis_window.h"
#include "ui/analysis/time_plots.h"
#include "ui/app/analysis_host.h"
#include "ui/app/monitor_commands.h"
#include "ui/mapedit/hit_overlay.h"
#include "ui/mapedit/map_editor.h"

namespace ign {
namespace {

using test::PagesFixture;

class AnalysisFixture : public PagesFixture {
 protected:
  void SetUp() override {
    PagesFixture::SetUp();
    char pattern[] = "/tmp/ign-analysis-XXXXXX";
    dir_ = ::mkdtemp(pattern);
  }
  void TearDown() override {
    PagesFixture::TearDown();
    std::filesystem::remove_all(dir_);
  }
  std::string Write(const std::string& name, const std::string& text) {
    const std::string path = dir_ + "/" + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }
  TRideAnalysis& Window() {
    TRideAnalysis& w = RideAnalysisOf(*form_)->Window();
    w.message = [this](const std::string& text) { messages_.push_back(text); };
    return w;
  }
  TTab& AdvanceEditor() {
    for (TTab* t : form_->findChildren<TTab*>())
      if (t->Model().SheetCount() == 2 && t->Model().Sheet(0).data.unit == "ADV") return *t;
    throw std::runtime_error("no advance editor");
  }
  std::string dir_;
  std::vector<std::string> messages_;
};

TEST_F(AnalysisFixture, AGermanCsvOpensWithEveryValueAtTheCursorAndNamedPlots) {
  StartOn(Page::Advance);
  TRideAnalysis& w = Window();
  w.Open(Write("fahrt.csv",
               "Zeit;RPM;Spannung [V];Gang\n0,0;1200;12,6;N\n0,5;3500,5;13,1;1\n1,5;4000;13,9;2\n"));
  EXPECT_TRUE(w.findChild<QProgressBar*>("ProgressOpen")->isVisibleTo(&w));
  w.Finish();
  ASSERT_TRUE(w.Log());
  w.Plots().SetCursor(0.7);
  auto* list = w.findChild<QListWidget*>("ListChannels");
  ASSERT_EQ(list->count(), 3);
  EXPECT_EQ(list->item(0)->text(), "RPM = 3500.5");
  EXPECT_EQ(list->item(1)->text(), "Spannung [V] = 13.1");
  EXPECT_EQ(list->item(2)->text(), "Gang = 1");
  EXPECT_FALSE(list->accessibleName().isEmpty());
  // The plots are named for screen readers by what they show.
  QCustomPlot* first = w.Plots().Plot(0);
  EXPECT_EQ(first->accessibleName(), "Time plot 1: RPM");
  w.Plots().MoveChannel(1, 0);
  EXPECT_EQ(first->accessibleName(), "Time plot 1: RPM, Spannung");
  EXPECT_TRUE(messages_.empty());
}

TEST_F(AnalysisFixture, ABrokenLineIsNamedAndTheLogStaysAsItWas) {
  StartOn(Page::Advance);
  TRideAnalysis& w = Window();
  w.Open(Write("good.csv", "t,rpm\n0,1000\n1,2000\n"));
  w.Finish();
  w.Open(Write("bad.csv", "t,rpm\n0,1000\n1,2000,7\n"));
  w.Finish();
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_NE(messages_[0].find("bad.csv, line 3, column 3"), std::string::npos) << messages_[0];
  EXPECT_NE(w.Log()->source.find("good.csv"), std::string::npos);
  EXPECT_EQ(w.findChild<QLabel*>("LabelAnalysisStatus")->text().toStdString(), messages_[0]);
  // A header without values, or a time column alone, has nothing to show: said so.
  for (const char* text : {"t;rpm;volts\n", "time\n0.5\n1.0\n"}) {
    w.Open(Write("empty.csv", text));
    w.Finish();
    ASSERT_FALSE(messages_.empty());
    EXPECT_NE(messages_.back().find("no values"), std::string::npos) << messages_.back();
  }
  EXPECT_EQ(messages_.size(), 3u);
  EXPECT_NE(w.Log()->source.find("good.csv"), std::string::npos);
}

// Stop while a large file is read: the log before stays, the status says
// why, and no box asks to be closed.
TEST_F(AnalysisFixture, StopWhileReadingKeepsTheLogAndRaisesNoBox) {
  StartOn(Page::Advance);
  TRideAnalysis& w = Window();
  w.Open(Write("good.csv", "t,rpm\n0,1000\n1,2000\n"));
  w.Finish();
  std::string big = "t,rpm,volts\n";
  for (int i = 0; big.size() < (20u << 20); ++i) big += std::to_string(i) + ".5,3000,13.5\n";
  w.Open(Write("big.csv", big));
  w.findChild<QPushButton*>("ButtonCancelOpen")->click();
  w.Finish();
  EXPECT_TRUE(messages_.empty());
  EXPECT_NE(w.findChild<QLabel*>("LabelAnalysisStatus")->text().indexOf("Reading was stopped"), -1);
  EXPECT_NE(w.Log()->source.find("good.csv"), std::string::npos);
  EXPECT_FALSE(w.findChild<QProgressBar*>("ProgressOpen")->isVisibleTo(&w));
}

// A recording with the engine held at 3420 rpm and 31 %: the advance editor's
// cell of those values holds the whole time, shaded, in the hint's note and
// the cell's description, and the context menu switches it.
TEST_F(AnalysisFixture, TheAdvanceEditorShowsTheTimeInItsCells) {
  StartOn(Page::Advance);
  Img() = test::MapSettings(1);
  form_->CommitImageChange();
  std::vector<test::Reading> held;
  for (int i = 0; i < 10; ++i) held.push_back({.ms = 200 + 500 * i, .rpm = 3420, .load = 31, .sensor = 1});
  const std::string path = dir_ + "/held.ignlog";
  test::RecordReadings(path, held, Img());
  TRideAnalysis& w = Window();
  w.Open(path);
  w.Finish();
  TTab& editor = AdvanceEditor();
  THitOverlay& overlay = THitOverlay::Of(editor);
  ASSERT_TRUE(overlay.HasCounts());
  EXPECT_NEAR(overlay.Counter(0)->Seconds(2, 5), 4.5, 1e-9);
  EXPECT_NEAR(overlay.Counter(0)->Counted(), 4.5, 1e-9);
  EXPECT_NEAR(overlay.Counter(1)->Counted(), 0, 1e-9);  // the second map was not in force
  // The window's table shows the same.
  EXPECT_NEAR(w.Hits().At(5, 2), 4.5, 1e-9);
  EXPECT_TRUE(overlay.Button()->isVisibleTo(&editor));
  EXPECT_EQ(overlay.CellNote(2, 5), "4.5 s in this cell");
  editor.resize(1100, 420);
  editor.show();
  QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&editor);
  ASSERT_TRUE(table && table->tableInterface());
  QAccessibleInterface* cell = table->tableInterface()->cellAt(5, 2);
  ASSERT_TRUE(cell);
  EXPECT_EQ(cell->text(QAccessible::Description), "4.5 s in this cell");
  // Shading: the cell's pixels change when the overlay is shown.
  editor.RedrawNow();
  const Rect box = CellRect(editor.Layout(), 2, 5);
  const QRgb before = editor.Bitmap().pixel(box.left + 3, box.top + 3);
  overlay.SetShown(true);
  editor.RedrawNow();
  EXPECT_NE(editor.Bitmap().pixel(box.left + 3, box.top + 3), before);
  EXPECT_TRUE(overlay.Button()->isChecked());
  // The context menu offers the switch, live counting and the copy.
  editor.PrepareContextMenu(QPoint(box.left + 3, box.top + 3));
  QMenu menu;
  overlay.AddMenuActions(menu);
  QStringList names;
  for (QAction* a : menu.actions()) names << a->objectName();
  EXPECT_TRUE(names.contains("MenuHitOverlay") && names.contains("MenuHitLive") &&
              names.contains("MenuHitCopy"));
  EXPECT_TRUE(overlay.TableText().contains("4.500"));
}

// A click on a plot of the recording being played moves the player to the
// last record at or before that time; opening the log moves nothing.
TEST_F(AnalysisFixture, AClickOnTheRecordingMovesItsPlayer) {
  StartOn(Page::Advance);
  std::vector<test::Reading> ride;
  for (int i = 0; i < 10; ++i) ride.push_back({.ms = 200 + 500 * i, .rpm = 1000 + 300 * i, .load = 20});
  const std::string path = dir_ + "/ride.ignlog";
  test::RecordReadings(path, ride, Img());
  CSessionMonitor& monitor = form_->Session().Monitor();
  monitor.PlayFile(path);
  ASSERT_TRUE(monitor.Playing());
  monitor.PlayPosChange(2);
  TRideAnalysis& w = Window();
  QSignalSpy clicked(&w, &TRideAnalysis::TimeClicked);
  w.Open(path);
  w.Finish();
  EXPECT_EQ(clicked.count(), 0);
  EXPECT_EQ(monitor.Player().Position(), 2);
  w.resize(1100, 760);
  w.show();
  QCustomPlot* plot = w.Plots().Plot(0);
  plot->replot();
  const struct {
    double seconds;
    int position;  // record 1 is the first monitor record (at 0 s)
  } cases[] = {{2.7, 6}, {0.2, 1}, {4.6, 10}, {1.0, 3}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.seconds);
    const int x = int(std::lround(plot->xAxis->coordToPixel(c.seconds)));
    QTest::mouseClick(plot, Qt::LeftButton, Qt::NoModifier, QPoint(x, plot->height() / 2));
    ASSERT_FALSE(clicked.isEmpty());
    EXPECT_NEAR(clicked.takeLast().at(1).toDouble(), c.seconds, 0.05);
    EXPECT_EQ(monitor.Player().Position(), c.position);
  }
  monitor.StopPlayer();
}

// The counts find the cells the live marker finds: the maps built from the
// settings for ignctl are the editor's own sheets, for every load sensor and mode.
TEST_F(AnalysisFixture, TheCoreMapsAreTheEditorsSheets) {
  StartOn(Page::Advance);
  const struct { int sensor, mode; } cases[] = {{0, 1}, {1, 0}, {1, 1}, {2, 1}};
  for (const auto& c : cases) {
    Img() = test::MapSettings(c.sensor, 7);
    Img()[Adrb::ADV_MAP] = Img()[Adrb::ADV2_MAP] = uint8_t(c.mode);
    form_->CommitImageChange();
    const CTabModel& model = AdvanceEditor().Model();
    for (int s = 0; s < 2; ++s) {
      SCOPED_TRACE(testing::Message() << c.sensor << " " << c.mode << " sheet " << s);
      const CSheet core = HitSheetOfImage(Img(), s ? HitMap::Advance2 : HitMap::Advance1);
      const CSheet& shown = model.Sheet(s);
      EXPECT_EQ(core.flags, shown.flags);
      EXPECT_EQ(core.x.count, shown.x.count);
      EXPECT_EQ(core.y.unit, shown.y.unit);
      EXPECT_EQ(core.y.collapsed, shown.y.collapsed);
      EXPECT_EQ(core.y.collapsedIndex, shown.y.collapsedIndex);
      for (int i = 0; i < shown.x.count; ++i) EXPECT_EQ(core.x.values[size_t(i)], shown.x.values[size_t(i)]);
      for (int i = 0; i < shown.y.count; ++i) EXPECT_EQ(core.y.values[size_t(i)], shown.y.values[size_t(i)]);
    }
  }
}

// With a pressure sensor the monitor's status word carries 0x30 once: the
// advance map on kPa points shows its live cell.
TEST_F(AnalysisFixture, APressureSensorKeepsTheLiveCellOnTheKilopascalMap) {
  StartOn(Page::Advance).show();
  Img() = test::MapSettings(2);
  form_->CommitImageChange();
  LiveFeed live;
  live.valid = true;
  live.rpm = 4000;
  live.throttle = 100;
  live.pressure = 64;
  live.loadSensor = 2;
  live.status = 0x30;  // as the monitor decodes it
  Pages().SetLive(live);
  Tick();
  const CSheet& sheet = AdvanceEditor().Model().Sheet(0);
  EXPECT_EQ(AdvanceEditor().Model().Live().status, 0x30u);
  EXPECT_EQ(sheet.liveState, 1);
  EXPECT_EQ(sheet.liveColumn, 3);
  EXPECT_EQ(sheet.liveRow, 4);
}

}  // namespace
}  // namespace ign
