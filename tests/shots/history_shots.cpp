// The unit history window with two units and a Program selected, two entries
// compared, and the difference view of the editor against a file with the
// differing cells marked in the Advance Map page's editor.
#include <memory>

#include "core/files/ign_writer.h"
#include "core/params/defaults.h"
#include "core/params/normalise.h"
#include "tests/shots/shots.h"
#include "ui/app/history_commands.h"
#include "ui/app/main_form.h"
#include "ui/mapedit/editor_list.h"

namespace ign::shots {

namespace {

Image Tune(int limiter, int advanceDelta) {
  Image img = StartupImage();
  img[Adrb::LIMITER] = uint8_t(limiter);
  img[Adrb::TPSIAP_SENSOR] = 2;
  for (int c = 3; c < 7; ++c) img[size_t(Adrb::ADVANCE + 15 * 4 + c)] += uint8_t(advanceDelta);
  img[Adrb::ADVANCE + 15 * 6 + 8] += uint8_t(advanceDelta);
  NormaliseImage(img);
  return img;
}

std::unique_ptr<TMainForm> Window() {
  auto form = std::make_unique<TMainForm>(QStringList{"ignset"});
  form->FormCreate();
  form->move(0, 0);
  form->show();
  Settle(300);
  return form;
}

void Fill(CHistoryStore& store) {
  const Image original = Tune(95, 0), summer = Tune(110, 2), race = Tune(115, 4);
  auto add = [&](const char* unit, const char* name, HistoryEvent event, int64_t time, const Image& held,
                 std::optional<Image> given, const char* file, const char* note) {
    HistoryRecord r;
    r.identity = unit;
    r.unitName = name;
    r.event = event;
    r.time = time;
    r.held = held;
    r.given = given;
    r.file = file;
    r.note = note;
    r.version = "108.00";
    store.Add(r);
  };
  add("240314-010941-00909", "IGNSIM", HistoryEvent::Read, 1765430000, original, std::nullopt, "", "");
  add("240314-010941-0075a", "IGNSIM", HistoryEvent::Read, 1765440000, original, std::nullopt, "",
      "as delivered");
  add("240314-010941-0075a", "IGNSIM", HistoryEvent::Program, 1765443600, original, summer,
      "/home/tuner/bikes/summer.ign", "first dyno run");
  add("240314-010941-0075a", "IGNSIM", HistoryEvent::Program, 1765447200, summer, race,
      "/home/tuner/bikes/race.ign", "");
}

}  // namespace

int HistoryShots(const QString& dir) {
  int failed = 0;
  {
    Sandbox box;
    auto form = Window();
    THistoryCommands& history = *THistoryCommands::Of(*form);
    Fill(history.Recorder().Store());
    history.MenuUnitHistoryClick();
    THistoryWindow* w = history.Window();
    w->move(20, 40);
    w->SelectEntries({3});
    failed += !SaveScreen(dir, "history-window");
    w->SelectEntries({2, 4});
    failed += !SaveScreen(dir, "history-two-entries");
    SetLanguage(LNG_CESKY);
    RelabelAll();
    w->SelectEntries({4});
    failed += !SaveScreen(dir, "history-window-cs");
    SetLanguage(LNG_ENGLISH);
    RelabelAll();
  }
  {
    Sandbox box;
    auto form = Window();
    form->ShowPage(3);  // the Advance Map page with its editor
    Image file = form->Params().Edited();
    // Cells of the row the editor shows (without a load sensor, one row).
    int row = 0;
    for (TTab* tab : TMapEditorList::Of(form.get()).Editors())
      if (tab->Identifier() == 0) row = tab->Model().Sheet(0).ShownRowBegin();
    for (int c = 2; c < 6; ++c) file[size_t(Adrb::ADVANCE + kMapCols * row + c)] += 2;
    file[Adrb::LIMITER] += 5;
    const std::string path = box.dir.path().toStdString() + "/race.ign";
    SaveSettingsFile(path, file, IgnVersions{});
    THistoryCommands& history = *THistoryCommands::Of(*form);
    history.CompareWithFile(path);
    history.View()->move(640, 380);
    failed += !SaveScreen(dir, "difference-view");
    history.View()->close();
    failed += !SaveScreen(dir, "difference-view-closed");
  }
  return failed;
}

}  // namespace ign::shots
