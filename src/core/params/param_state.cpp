#include "core/params/param_state.h"

#include <utility>

namespace ign {

int CountDifferences(const Image& a, const Image& b) {
  int n = 0;
  for (int i = 0; i < RS_LEN_EXE; ++i) n += a[i] != b[i];
  return n;
}

void CompareImages(ParamState& s, IStatus& status) {
  s.saved = CountDifferences(s.edited, s.file) == 0;
  s.identicalToUnit = false;
  status.RefreshTitle();
  if (!s.unitValid) {
    status.ShowStatus(Slot::Congruence, nullptr, 0, Colour::None, Colour::None, 10);
    return;
  }
  if (CountDifferences(s.edited, s.unit) != 0) {
    status.ShowStatus(Slot::Congruence,
                      "###Unit and PC settings are different##Einrichten der Einheit und der PC sind "
                      "anders##Nastavení v jednotce a PC se liší",
                      -1, Colour::Black, Colour::Yellow, 10);
  } else {
    status.ShowStatus(Slot::Congruence,
                      "###Unit and PC settings are identical##Einrichten des Einheit und der PC ist die "
                      "gleichen##Nastavení v jednotce a PC je shodné",
                      4000, Colour::Black, Colour::Green, 10);
    s.identicalToUnit = true;
  }
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
