#include "ui/pages/input_functions.h"

#include <algorithm>

namespace ign {

const std::vector<InputFunction>& InputFunctions() {
  static const std::vector<InputFunction> table = {
      {0, false, 0, "###Off##Aus##Vypnut"},
      {1, false, 1, "###Kill switch##Not Aus##Kill switch"},
      {2, false, 2, "###Blocking##Blockierung##Blokování"},
      {11, true, 3, "Tacho/Lambda"},
      {3, true, 4, "###Quickshift##Schaltautomat##Quickshift"},
      {4, true, 5, "###Quickshift inv.##Schaltautomat inv.##Quickshift inv."},
      {5, true, 6, "###Retard##Spätzündung##Snížení předstihu"},
      {6, true, 7, "###Start limiter##Startbegrenzer##Startovací omezovač"},
      {7, true, 8, "###2nd advance chart##2.Vorzündung mappe##2. mapa předstihu"},
      {10, true, 9, "N2O"},
      {8, false, 10, "###Gear##Gang##Převodový stupeň"},
      {9, false, 11, "###Speed##Tempo##Rychloměr"},
  };
  return table;
}

const InputFunction* FindInputFunction(int value) {
  for (const InputFunction& f : InputFunctions())
    if (f.value == value) return &f;
  return nullptr;
}

std::vector<InputItem> InputItems(unsigned mask) {
  std::vector<InputItem> items;
  for (int position = 0; position < 20; ++position)
    for (const InputFunction& f : InputFunctions())
      if (f.position == position && f.value < 32 && (mask >> f.value) & 1u)
        items.push_back({f.text, f.value});
  return items;
}

int InputListLength() {
  int most = kMinInputItems;
  for (unsigned mask : kInputMask) most = std::max(most, int(InputItems(mask).size()));
  return most;
}

}  // namespace ign
