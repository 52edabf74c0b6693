#pragma once
// Editing one value in place: the text, caret and highlight of a typed
// entry, without drawing. The text holds ASCII only (digits, blank, comma,
// minus, point), so byte positions are character positions.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/mapedit/limits.h"

namespace ign {

struct TypedEntry {
  bool active = false;
  int column = -1;  // target: a cell, an X point (row -1) or a Y point (column -1)
  int row = -1;
  std::string text;
  int caret = 0;
  int selStart = 0;  // highlighted part [selStart, selEnd)
  int selEnd = 0;
  int anchor = 0;  // where a Shift or mouse highlight started
  int blink = 0;   // ticks since the caret last moved

  bool HasHighlight() const { return selEnd > selStart; }
  std::string Highlighted() const {
    return text.substr(static_cast<std::size_t>(selStart), static_cast<std::size_t>(selEnd - selStart));
  }
};

// Characters an entry accepts.
bool EntryAccepts(char c);

// Starts an entry on a target with a text and the caret at its end.
void StartEntry(TypedEntry& entry, int column, int row, std::string text);
// Ends the entry (after commit or discard).
void StopEntry(TypedEntry& entry);

// Replaces the highlight by c and inserts it at the caret while the text
// is shorter than kMaxTypedChars. False when refused.
bool EntryInsert(TypedEntry& entry, char c);
// Backspace (forward = false) and Delete (forward = true): the highlight,
// or one character before / after the caret.
bool EntryErase(TypedEntry& entry, bool forward);
// Moves the caret to position (clamped); with extend the highlight runs
// from the anchor to the caret, else it is dropped.
void EntryMoveCaret(TypedEntry& entry, int position, bool extend);

// The caret position for a click at x, given the x of every character
// boundary (boundaries[0] is the text's left, boundaries[n] its right): the
// first boundary whose midpoint with the next lies right of x.
int CaretFromClick(const std::vector<int>& boundaries, int x);

// What a typed value became: the value typed (in stored units, before any
// limit), what the target holds after normalisation, and the target's limits.
struct TypedOutcome {
  bool stored = false;  // the text was a number and went into the target
  int32_t typed = 0;
  int32_t result = 0;
  int32_t minimum = 0;
  int32_t maximum = 0;

  bool Outside() const { return typed < minimum || typed > maximum; }
  // The target does not hold what was typed.
  bool Changed() const { return stored && result != typed; }
};

// The status note of a typed value that was not stored as typed, as a packed
// text in every language. name may be packed (each language shows its own
// part); the numbers come formatted by the caller. outside: the value lay
// outside minimum .. maximum and was set to stored; otherwise it was stored
// as stored, rounded to step when step is not empty.
std::string TypedValueNote(std::string_view name, std::string_view typed, std::string_view minimum,
                           std::string_view maximum, std::string_view stored, bool outside,
                           std::string_view step = {});
// The note of a typed text that is no number: the value stays as it was.
std::string TypedNotANumberNote(std::string_view name, std::string_view typed, std::string_view kept);

}  // namespace ign
