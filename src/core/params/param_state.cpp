#include "core/params/param_state.h"

#include <utility>

namespace ign {

int CountDifferences(const Image& a, const Image& b) {
  int n = 0;
  for (int i = 0; i < RS_LEN_EXE; ++i) n += a[i] != b[i];
  return n;
}

FeatureFlags RefreshFeatureFlags(Image& img) {
  img[Adrb::RESERVED_389] = 0;
  FeatureFlags f{};
  f[0] = img[Adrb::BIKE] == 255;
  const int in1 = img[Adrb::INPUT_FUNCTION], in2 = img[Adrb::INPUT_FUNCTION + 1];
  // flag -> input function of input 1 or 2 that sets it
  constexpr std::pair<int, int> kByFunction[] = {{2, 1}, {3, 2}, {4, 3}, {5, 5}, {6, 6}, {7, 7}, {11, 11}};
  for (auto [flag, function] : kByFunction) f[flag] = in1 == function || in2 == function;
  return f;
}

}  // namespace ign
