#include "core/app/window_fit.h"

#include <gtest/gtest.h>

namespace ign {
namespace {

using R = ScreenRect;

TEST(WindowFit, WindowInsideAScreenStaysAsItIs) {
  std::vector<R> screens = {{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}};
  EXPECT_EQ(FitWindowOntoScreens({2000, 100, 800, 600}, screens), (R{2000, 100, 800, 600}));
  EXPECT_EQ(FitWindowOntoScreens({10, 10, 800, 600}, {}), (R{10, 10, 800, 600}));
}

TEST(WindowFit, PositionOnAScreenThatNoLongerExistsMovesToTheNearestOne) {
  // Saved on a right-hand screen 1920..3200 that has gone; two screens remain.
  std::vector<R> screens = {{0, 0, 1920, 1080}, {0, 1080, 1920, 1080}};
  R fitted = FitWindowOntoScreens({2200, 200, 900, 700}, screens);
  EXPECT_EQ(fitted, (R{1020, 200, 900, 700}));
  // Far below the remaining screens: the lower one is nearer.
  EXPECT_EQ(FitWindowOntoScreens({100, 3000, 900, 700}, screens), (R{100, 1460, 900, 700}));
}

TEST(WindowFit, TableOfOverhangs) {
  const std::vector<R> one = {{0, 0, 1280, 1024}};
  struct Case {
    R in, out;
  } cases[] = {
      {{-50, -20, 800, 600}, {0, 0, 800, 600}},       // left and top
      {{1000, 900, 800, 600}, {480, 424, 800, 600}},  // right and bottom
      {{-10, 10, 2000, 500}, {0, 10, 1280, 500}},     // wider than the screen
      {{100, 100, 1300, 1100}, {0, 0, 1280, 1024}},   // bigger both ways
  };
  for (const Case& c : cases) EXPECT_EQ(FitWindowOntoScreens(c.in, one), c.out);
}

TEST(WindowFit, TieGoesToTheFirstScreenAndOffsetScreensWork) {
  std::vector<R> screens = {{-1280, 0, 1280, 1024}, {0, 0, 1280, 1024}};
  // Straddles the boundary by 100 px on each side: equal overhang, first screen wins.
  EXPECT_EQ(FitWindowOntoScreens({-100, 0, 200, 100}, screens), (R{-200, 0, 200, 100}));
  EXPECT_EQ(Overhang({-100, 0, 200, 100}, screens[1]), 100);
}

}  // namespace
}  // namespace ign
