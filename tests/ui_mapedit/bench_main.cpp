// ign_mapedit_bench: the map editor's costs against the 55 ms main-timer
// tick, on the advance map at the Advance Map page's size (1000 x 450):
// a full repaint, one +/- step, one typed keystroke, and UpdateLive of 13
// editors per tick with only the shown one repainting.
#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "tests/mapedit/fixtures.h"
#include "tests/ui_mapedit/host.h"
#include "ui/mapedit/editor_list.h"

namespace {

constexpr double kTickMs = 55.0;

struct Stats {
  double median, p99;
};

Stats Summarise(std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  const auto at = [&](double q) {
    return ms[std::min(ms.size() - 1, static_cast<std::size_t>(q * ms.size()))];
  };
  return Stats{at(0.5), at(0.99)};
}

template <typename F>
Stats Measure(int runs, F&& step) {
  std::vector<double> ms;
  QElapsedTimer timer;
  for (int i = 0; i < runs; ++i) {
    timer.start();
    step(i);
    ms.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
  }
  return Summarise(std::move(ms));
}

void Print(const char* name, Stats s, double limit) {
  std::printf("%-44s median %7.3f ms = %.4f tick   p99 %7.3f ms = %.4f tick   (aim < %.2f tick)\n", name,
              s.median, s.median / kTickMs, s.p99, s.p99 / kTickMs, limit);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  using namespace ign;
  auto h = test::MakeAdvanceHost();
  TTab* e = h->editor;

  Print("full repaint (offscreen redraw + copy)",
        Measure(300,
                [&](int) {
                  e->RequestRepaint();
                  e->RedrawNow();
                  e->repaint();
                }),
        0.1);

  test::Click(e, test::CellCentre(*h, 5, 5));
  Print("one +/- step (NotifyChange, normalise, repaint)",
        Measure(300,
                [&](int i) {
                  e->Execute(i % 2 ? Cmd::kDecrement : Cmd::kIncrement);
                  e->repaint();
                }),
        0.1);

  test::Key(e, Qt::Key_Delete);  // an empty typed entry
  Print("one typed keystroke",
        Measure(300,
                [&](int i) {
                  if (i % 2) {
                    test::Key(e, Qt::Key_Backspace);
                  } else {
                    test::Key(e, Qt::Key_1, {}, "1");
                  }
                  e->repaint();
                }),
        0.1);
  test::Key(e, Qt::Key_Escape);

  // 13 editors in one window, one shown; a live rpm sweeping the map.
  std::vector<TTab*> editors{e};
  for (int i = 1; i < 13; ++i) {
    TTab* other = CreateMapEditor(100 + i, 1000, 450, test::kAdvanceEditorFlags, h->window.get());
    other->Model().AddSheet("###Map##Map##Map", "RPM", "TP", "###Advance##Vorzündung##Předstih", 15, 10,
                            test::kAdvanceSheetFlags);
    test::DefineAdvanceSheet(other->Model(), 0);
    other->SelectSheet(0);
    other->hide();
    editors.push_back(other);
  }
  std::vector<int> before;
  for (TTab* each : editors) before.push_back(each->RedrawCount());
  int32_t tick = h->tick;
  const int ticks = 400;
  const Stats live = Measure(ticks, [&](int i) {
    ++tick;
    for (TTab* each : editors) {
      each->Model().Live().rpm = 1000 + (i * 37) % 7000;
      each->Model().Live().throttle = (i * 3) % 100;
      each->UpdateLive(tick);
    }
  });
  Print("UpdateLive of 13 editors per tick", live, 0.05);
  int shown = editors[0]->RedrawCount() - before[0], hidden = 0;
  for (std::size_t i = 1; i < editors.size(); ++i) hidden += editors[i]->RedrawCount() - before[i];
  std::printf("repaints per tick: shown editor %.2f, hidden editors %.2f (over %d ticks)\n",
              static_cast<double>(shown) / ticks, static_cast<double>(hidden) / ticks, ticks);
  return 0;
}
