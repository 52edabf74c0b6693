#include "core/mapedit/typed_entry.h"

#include <algorithm>

namespace ign {

namespace {

void DropHighlight(TypedEntry& e) {
  e.selStart = e.selEnd = e.caret;
  e.anchor = e.caret;
}

void EraseHighlight(TypedEntry& e) {
  e.text.erase(static_cast<std::size_t>(e.selStart), static_cast<std::size_t>(e.selEnd - e.selStart));
  e.caret = e.selStart;
  DropHighlight(e);
}

}  // namespace

bool EntryAccepts(char c) { return (c >= '0' && c <= '9') || c == ' ' || c == ',' || c == '-' || c == '.'; }

void StartEntry(TypedEntry& e, int column, int row, std::string text) {
  e.active = true;
  e.column = column;
  e.row = row;
  e.text = std::move(text);
  if (e.text.size() > static_cast<std::size_t>(kMaxTypedChars)) e.text.resize(kMaxTypedChars);
  e.caret = static_cast<int>(e.text.size());
  e.blink = 0;
  DropHighlight(e);
}

void StopEntry(TypedEntry& e) { e = TypedEntry{}; }

bool EntryInsert(TypedEntry& e, char c) {
  if (!e.active || !EntryAccepts(c)) return false;
  if (e.HasHighlight()) EraseHighlight(e);
  if (static_cast<int>(e.text.size()) >= kMaxTypedChars) return false;
  e.text.insert(static_cast<std::size_t>(e.caret), 1, c);
  ++e.caret;
  e.blink = 0;
  DropHighlight(e);
  return true;
}

bool EntryErase(TypedEntry& e, bool forward) {
  if (!e.active) return false;
  e.blink = 0;
  if (e.HasHighlight()) {
    EraseHighlight(e);
    return true;
  }
  const int at = forward ? e.caret : e.caret - 1;
  if (at < 0 || at >= static_cast<int>(e.text.size())) return false;
  e.text.erase(static_cast<std::size_t>(at), 1);
  e.caret = at;
  DropHighlight(e);
  return true;
}

void EntryMoveCaret(TypedEntry& e, int position, bool extend) {
  e.caret = std::clamp(position, 0, static_cast<int>(e.text.size()));
  e.blink = 0;
  if (!extend) {
    DropHighlight(e);
    return;
  }
  e.selStart = std::min(e.anchor, e.caret);
  e.selEnd = std::max(e.anchor, e.caret);
}

int CaretFromClick(const std::vector<int>& boundaries, int x) {
  const int n = static_cast<int>(boundaries.size()) - 1;  // characters
  if (n <= 0) return 0;
  for (int i = 0; i < n; ++i) {
    const int mid =
        (boundaries[static_cast<std::size_t>(i)] + boundaries[static_cast<std::size_t>(i + 1)]) / 2;
    if (mid > x) return i;
  }
  return n;
}

}  // namespace ign
