// The unit history in the window: a damaged history told once at the start,
// the history window's units, entries, differences and buttons, and the
// difference view's marks in the map editors while it is open.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QSpinBox>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>

#include "core/files/ign_reader.h"
#include "core/files/ign_writer.h"
#include "core/params/defaults.h"
#include "core/params/normalise.h"
#include "tests/ui/form_fixture.h"
#include "ui/app/history_commands.h"
#include "ui/app/main_menu.h"
#include "ui/history/difference_view.h"
#include "ui/history/history_window.h"
#include "ui/mapedit/editor_list.h"

namespace ign::test {
namespace {

namespace fs = std::filesystem;

class HistoryWindowTest : public FormFixture {
 protected:
  THistoryCommands& History() { return *THistoryCommands::Of(*form_); }
  CHistoryStore& Store() { return History().Recorder().Store(); }

  Image Normalised(const std::function<void(Image&)>& change) {
    Image img = StartupImage();
    change(img);
    NormaliseImage(img);
    return img;
  }

  int64_t Add(const std::string& unit, HistoryEvent event, int64_t time, const Image& held,
              std::optional<Image> given = std::nullopt) {
    HistoryRecord r;
    r.identity = unit;
    r.unitName = "IGNSIM";
    r.event = event;
    r.time = time;
    r.held = held;
    r.given = given;
    int64_t id = 0;
    EXPECT_TRUE(Store().Add(r, &id).Ok());
    return id;
  }

  TTab* AdvanceEditor() {
    for (TTab* tab : TMapEditorList::Of(form_.get()).Editors())
      if (tab->Identifier() == 0) return tab;
    return nullptr;
  }

  static void Settle() {
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
  }
};

// Garbage in place of the history: the window starts, says so once, keeps
// the garbage aside and records into a new store.
TEST_F(HistoryWindowTest, ADamagedHistoryIsToldOnceAndKeptAside) {
  const std::string garbage(3000, '\x13');
  std::ofstream(SettingsFile("unit-history.sqlite"), std::ios::binary) << garbage;
  TMainForm& f = Start();
  for (int i = 0; i < 3; ++i) {
    f.Timer1Timer();
    Settle();
  }
  const QList<QMessageBox*> boxes = f.findChildren<QMessageBox*>(QStringLiteral("HistoryMessage"));
  ASSERT_EQ(boxes.size(), 1);
  EXPECT_TRUE(boxes[0]->text().contains(QStringLiteral("damaged"))) << boxes[0]->text().toStdString();
  int aside = 0;
  for (const auto& e : fs::directory_iterator(SettingsDir()))
    if (e.path().filename().string().starts_with("unit-history.sqlite.damaged-")) {
      ++aside;
      std::ifstream in(e.path(), std::ios::binary);
      EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), garbage);
    }
  EXPECT_EQ(aside, 1);
  Add("SN-1", HistoryEvent::Read, 10, StartupImage());
  EXPECT_EQ(Store().List().size(), 1u);
}

TEST_F(HistoryWindowTest, EntriesShowTheirDifferencesAndGoToTheEditorAndAFile) {
  TMainForm& f = Start();
  const Image original = Normalised([](Image& i) { i[Adrb::LIMITER] = 95; });
  const Image tuned = Normalised([](Image& i) {
    i[Adrb::LIMITER] = 115;
    i[Adrb::ADVANCE + 16] = 120;
  });
  Add("SN-OTHER", HistoryEvent::Read, 5, original);
  const int64_t read = Add("SN-1", HistoryEvent::Read, 10, original);
  const int64_t program = Add("SN-1", HistoryEvent::Program, 20, original, tuned);
  History().MenuUnitHistoryClick();
  THistoryWindow* w = History().Window();
  ASSERT_TRUE(w && w->isVisible());
  auto* units = w->findChild<QTreeWidget*>(QStringLiteral("HistoryUnits"));
  auto* entries = w->findChild<QTreeWidget*>(QStringLiteral("HistoryEntries"));
  auto* differences = w->findChild<TDifferenceList*>(QStringLiteral("HistoryDifferences"));
  auto* map = w->findChild<TDifferenceMap*>(QStringLiteral("HistoryMap"));
  ASSERT_TRUE(units && entries && differences && map);
  EXPECT_EQ(units->topLevelItemCount(), 2);
  EXPECT_EQ(units->currentItem()->text(0), QStringLiteral("SN-1"));  // seen last
  ASSERT_EQ(entries->topLevelItemCount(), 2);

  // One Program: what it replaced against what it wrote.
  w->SelectEntries({program});
  ASSERT_EQ(differences->Lines().size(), 2u);
  EXPECT_EQ(DifferenceText(differences->Lines()[0]), "Limiter [rpm]: 9,500 → 11,500");
  ASSERT_EQ(map->Chooser()->count(), 1);
  EXPECT_EQ(map->Chooser()->itemText(0), QStringLiteral("Advance 1"));
  EXPECT_EQ(map->Table()->Grid().cells.size(), size_t(15 * 10));

  // Its settings are the ones it replaced: into the editor as one undo step.
  ASSERT_TRUE(w->ChosenImage());
  w->findChild<QAbstractButton*>(QStringLiteral("HistoryOpenInEditor"))->click();
  EXPECT_EQ(f.Params().Edited()[Adrb::LIMITER], 95);
  ASSERT_TRUE(f.Undo().CanUndo());
  f.MainMenu().Item("MenuZpet")->trigger();
  EXPECT_NE(f.Params().Edited()[Adrb::LIMITER], 95);

  const std::string saved = dir_.File("entry.ign");
  History().SetFileChooser([&](bool) { return saved; });
  w->findChild<QAbstractButton*>(QStringLiteral("HistorySaveAs"))->click();
  Image back = StartupImage();
  CDefaults defaults;
  ASSERT_TRUE(ign::ReadSettingsFile(saved, back, defaults, IgnReadOptions{}, nullptr).Accepted());
  EXPECT_EQ(back[Adrb::LIMITER], 95);

  // Two entries: the settings the unit held at each.
  w->SelectEntries({read, program});
  EXPECT_TRUE(differences->Lines().empty());
  EXPECT_FALSE(w->findChild<QAbstractButton*>(QStringLiteral("HistoryOpenInEditor"))->isEnabled());
  EXPECT_FALSE(w->findChild<QAbstractButton*>(QStringLiteral("HistoryProgram"))->isEnabled());

  // The note is edited in place and kept.
  entries->topLevelItem(0)->setText(4, QStringLiteral("dyno run 3"));
  EXPECT_EQ(Store().Entry(program)->row.note, "dyno run 3");

  w->findChild<QSpinBox*>(QStringLiteral("HistoryLimit"))->setValue(250);
  emit w->findChild<QSpinBox*>(QStringLiteral("HistoryLimit"))->editingFinished();
  w->findChild<QAbstractButton*>(QStringLiteral("HistoryEnabled"))->click();
  EXPECT_EQ(Store().Settings().limit, 250);
  EXPECT_FALSE(Store().Settings().enabled);

  // Every control a user can change has a name in the current language.
  for (QWidget* c : w->findChildren<QWidget*>())
    if (qobject_cast<QAbstractButton*>(c) || qobject_cast<QSpinBox*>(c) || qobject_cast<QComboBox*>(c) ||
        qobject_cast<QTreeWidget*>(c)) {
      EXPECT_FALSE(c->accessibleName().isEmpty()) << c->objectName().toStdString();
    }
}

// The editor against a file: the view lists the difference and the advance
// editor marks the cell until the view is closed.
TEST_F(HistoryWindowTest, DifferenceViewMarksTheMapEditorsUntilClosed) {
  TMainForm& f = Start();
  // A byte no settings file carries compares as the editor holds it, as
  // Open would leave it.
  f.Params().Working()[420] = 7;
  f.CommitImageChange();
  Image other = f.Params().Edited();
  other[Adrb::ADVANCE + 15 * 2 + 4] += 3;
  other[Adrb::LIMITER] += 2;
  const std::string path = dir_.File("other.ign");
  ASSERT_TRUE(SaveSettingsFile(path, other, IgnVersions{}));
  History().CompareWithFile(path);
  TDifferenceView* view = History().View();
  ASSERT_TRUE(view && view->isVisible());
  ASSERT_EQ(view->List()->Lines().size(), 2u);
  TTab* advance = AdvanceEditor();
  ASSERT_TRUE(advance);
  ASSERT_EQ(advance->ViewState().differenceMarks.size(), 1u);
  EXPECT_EQ(advance->ViewState().differenceMarks[0].column, 4);
  EXPECT_EQ(advance->ViewState().differenceMarks[0].row, 2);
  view->findChild<QAbstractButton*>(QStringLiteral("DifferenceClose"))->click();
  EXPECT_FALSE(view->isVisible());
  EXPECT_TRUE(advance->ViewState().differenceMarks.empty());
  EXPECT_TRUE(fileMessages_.empty());
}

}  // namespace
}  // namespace ign::test
