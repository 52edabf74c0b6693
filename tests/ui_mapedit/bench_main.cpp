// ign_mapedit_bench: the map editor's costs against the 55 ms main-timer
// tick, on the advance map at the Advance Map page's size (1000 x 450):
// a full repaint, one +/- step, one typed keystroke, UpdateLive of 13
// editors per tick with only the shown one repainting, the 2D graph and its
// drag step, the 3D graph in every colouring and its rotation step, and the
// clipboard texts.
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "core/mapedit/clipboard_text.h"
#include "core/mapedit/graph2d.h"
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

// Both sheets filled; each compares with the other, as on the page.
void CompareSheets(ign::test::EditorHost& h) {
  ign::CTabModel& m = h.editor->Model();
  for (int s = 0; s < 2; ++s) {
    const ign::CSheet& other = m.Sheet(1 - s);
    m.Sheet(s).x.comparison = std::span<const int32_t>(other.x.values.data(), 15);
    m.Sheet(s).data.comparison = std::span<const int32_t>(other.data.values);
    for (int r = 0; r < 10; ++r)
      for (int c = 0; c < 15; ++c) m.Sheet(s).Cell(c, r) = 5 + c * (2 - s) + r * (1 + s);
  }
  m.MarkerValues() = ign::Markers{6, 7200, 2500};
}

void Graphs() {
  using namespace ign;
  auto h = test::MakeAdvanceHost();
  TTab* e = h->editor;
  CompareSheets(*h);
  e->Execute(Cmd::kView2D);
  h->Tick();
  const auto redraw = [&](int) {
    e->RequestRepaint();
    e->RedrawNow();
    e->repaint();
  };
  Print("2D graph repaint (10 curves, comparison, markers)", Measure(300, redraw), 0.1);

  // One drag step: pointer move -> values -> normalisation -> ranges -> repaint.
  const Graph2D& g = e->Graph().layout;
  const QPoint from(static_cast<int>(PointX(g, h->Sheet(), 7)),
                    static_cast<int>(PointY(g, h->Sheet(), 7, 5)));
  test::Move(e, from);
  test::Press(e, from);
  Print("2D drag step (move, normalise, ranges, repaint)",
        Measure(300,
                [&](int i) {
                  test::Move(e, from + QPoint(0, i % 2 ? -12 : 0), Qt::LeftButton);
                  e->repaint();
                }),
        0.2);
  test::Release(e, from);

  e->Execute(Cmd::kView3D);
  test::Key(e, Qt::Key_Space);  // all values
  for (int colouring = 0; colouring <= 5; ++colouring) {
    e->SetColouring3D(colouring);
    const std::string name = "3D repaint, all values, colouring " + std::to_string(colouring);
    Print(name.c_str(), Measure(colouring == 5 ? 60 : 150, redraw), colouring == 5 ? 1.0 : 0.25);
  }
  e->SetColouring3D(4);
  const QPoint plot(600, 250);
  test::Move(e, plot);
  test::Press(e, plot);
  Print("3D rotation step (colouring 4)",
        Measure(150,
                [&](int i) {
                  test::Move(e, plot + QPoint(10 * (i % 7), 10 * (i % 5)), Qt::LeftButton);
                  e->repaint();
                }),
        0.25);
  test::Release(e, plot);

  e->Execute(Cmd::kViewTable);
  Print("Copy table + Paste table of the 15 x 10 map",
        Measure(200,
                [&](int) {
                  e->Execute(Cmd::kCopyTable);
                  e->Execute(Cmd::kPaste);
                }),
        0.1);
  std::string text;
  while (text.size() < kClipboardTextLimit) text += "12.5\t-3\t1 234\t7\n";
  text.resize(kClipboardTextLimit);
  QGuiApplication::clipboard()->setText(QString::fromStdString(text));
  test::Click(e, test::CellCentre(*h, 0, 0));
  Print("Paste of a 9000-byte text", Measure(200, [&](int) { e->Execute(Cmd::kPaste); }), 0.1);
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
  Graphs();
  return 0;
}
