// Random commands and gestures with any input: the editor stays consistent
// and nothing is written outside the counts.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/mapedit/commands.h"
#include "core/mapedit/gesture.h"
#include "core/mapedit/selection.h"
#include "tests/mapedit/fixtures.h"
#include "tests/text/message_box_spy.h"

namespace ign {
namespace {

// A different mark in every cell outside the table, so that moved cells show.
int32_t Mark(int c, int r) { return 100000 + r * 100 + c; }

TEST(Robustness, RandomCommandsStayInsideTheTable) {
  test::MessageBoxSpy box;
  CTabModel m = test::MakeAdvanceEditor();
  for (int s = 0; s < 2; ++s) {
    m.Sheet(s).linkedGroup = 1;
    // Cells outside the 15 x 10 table hold a mark that must survive.
    for (int r = 0; r < kMaxRows; ++r) {
      for (int c = 0; c < kMaxColumns; ++c) {
        if (c >= 15 || r >= 10) m.Sheet(s).Cell(c, r) = Mark(c, r);
      }
    }
  }
  std::mt19937 random(7);
  const auto any = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
  const int kinds[] = {SelKind::kCells, SelKind::kXPoints, SelKind::kYPoints, SelKind::kColumns,
                       SelKind::kRows};

  for (int step = 0; step < 4000; ++step) {
    CSheet& sheet = *m.Active();
    const int32_t tick = step;
    switch (any(0, 11)) {
      case 0:
        Select(sheet, kinds[any(0, 4)], any(-3, 20), any(-3, 14), any(-3, 20), any(-3, 14), any(0, 1));
        break;
      case 1: StepValues(m, any(0, 1) ? any(-10, 10) : any(-100000, 100000), tick); break;
      case 2: Interpolate(m, tick); break;
      case 3: InsertColumn(m, any(-5, 25), tick); break;
      case 4: DeleteSelectedColumns(m, tick); break;
      case 5: RemoveLastColumn(m, tick); break;
      case 6: UseDimensions(m, any(13, 15), tick); break;
      case 7: ApplyFill(m, FillTarget(sheet, any(-20, 20), any(-20, 20)), tick); break;
      case 8: ApplyCopy(m, CopyTarget(sheet, any(-20, 20), any(-20, 20)), tick); break;
      case 9: ApplyFill(m, GestureBox{any(-5, 60), any(-5, 40), any(-5, 60), any(-5, 40)}, tick); break;
      case 10: m.StoreTypedValue(any(-2, 20), any(-2, 12), std::to_string(any(-99999, 99999)), tick); break;
      case 11: m.SelectSheet(any(-1, 2)); break;
    }
    m.Live().rpm = any(0, 9000);
    m.Live().throttle = any(0, 100);
    m.UpdateLive(tick, true);

    for (int s = 0; s < 2; ++s) {
      const CSheet& sh = m.Sheet(s);
      ASSERT_GE(sh.x.count, 1);
      ASSERT_LE(sh.x.count, 15);
      ASSERT_EQ(sh.x.count, m.Sheet(1 - s).x.count) << "linked sheets differ, step " << step;
      for (int i = 0; i < sh.x.count; ++i) {
        ASSERT_GE(sh.x.values[static_cast<std::size_t>(i)], 3 + i);
        if (i > 0) {
          ASSERT_GT(sh.x.values[static_cast<std::size_t>(i)], sh.x.values[static_cast<std::size_t>(i - 1)]);
        }
      }
      for (int r = 0; r < kMaxRows; ++r) {
        for (int c = 0; c < kMaxColumns; ++c) {
          const int32_t v = sh.Cell(c, r);
          if (c >= 15 || r >= 10) {
            ASSERT_EQ(v, Mark(c, r)) << "cell " << c << "," << r << " of sheet " << s << ", step " << step;
          } else if (c < sh.x.count) {
            ASSERT_GE(v, -30);
            ASSERT_LE(v, 60);
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace ign
