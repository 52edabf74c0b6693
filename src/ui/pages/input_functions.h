#pragma once
// The functions of the multifunction inputs: value, polarity, display
// position and text, and the item list of an input built from its mask of
// allowed function values (bit v allows value v). Plain C++.
#include <vector>

namespace ign {

struct InputFunction {
  int value;
  bool polarity;     // the function has a polarity (an inverse-polarity box)
  int position;      // display position
  const char* text;  // packed
};

// The table in display-position order.
const std::vector<InputFunction>& InputFunctions();
// The function of a value, or nullptr.
const InputFunction* FindInputFunction(int value);

// Both inputs allow 0xEF: Off, Kill switch, Blocking, Quickshift, Retard,
// Start limiter, 2nd advance chart.
constexpr unsigned kInputMask[2] = {0xEF, 0xEF};
constexpr int kMinInputItems = 5;

struct InputItem {
  const char* text;  // packed
  int value;
};
// Positions 0..19, each function whose value the mask allows.
std::vector<InputItem> InputItems(unsigned mask);
// Items each list holds: the most any input allows, at least kMinInputItems;
// shorter lists are padded with hidden empty items.
int InputListLength();

}  // namespace ign
