// Fuzz target "clipboard": the map editor's readers of pasted text (plain
// text, brace lists, the private table with its header, a typed entry) on
// arbitrary bytes. The first byte picks the reader and the selection; the
// rest is the clipboard content. Afterwards every count must lie inside
// its limits, every used value inside its axis limits, the axes must rise,
// and nothing beyond the counts may have changed.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/mapedit/clipboard_text.h"
#include "core/mapedit/selection.h"
#include "core/text/codepage.h"
#include "fuzz/targets/fuzz_check.h"
#include "tests/mapedit/fixtures.h"

namespace ign::fuzz {

namespace {

void CheckAxis(const CAxe& a) {
  FUZZ_CHECK(a.count >= a.minCount && a.count <= a.capacity);
  for (int i = 0; i < a.count; ++i) {
    FUZZ_CHECK(a.values[static_cast<std::size_t>(i)] >= a.minimum);
    FUZZ_CHECK(a.values[static_cast<std::size_t>(i)] <= a.maximum);
    if (i > 0) FUZZ_CHECK(a.values[static_cast<std::size_t>(i)] > a.values[static_cast<std::size_t>(i - 1)]);
  }
}

}  // namespace

int ClipboardText(const uint8_t* data, size_t size) {
  const uint8_t mode = size > 0 ? data[0] : 0;
  const std::string text(reinterpret_cast<const char*>(data) + (size > 0 ? 1 : 0), size > 0 ? size - 1 : 0);
  CTabModel m = (mode & 0x80) ? test::MakeSwitchEditor() : test::MakeAdvanceEditor();
  m.SetMessageSink([](const std::string&) {});
  CSheet& s = *m.Active();
  s.data.editable = 1;
  m.NormaliseSheet(m.ActiveIndex(), Change::kAll | Change::kReset);  // the switch map's axes start unset
  const int c = (mode >> 2) % 4, r = (mode >> 4) % 3;
  switch (mode % 4) {
    case 0: Select(s, SelKind::kCells, c, r, c + 1, r + 1); break;
    case 1: Select(s, SelKind::kXPoints, c, -1, c + 2, -1); break;
    case 2: Select(s, SelKind::kYPoints, -1, r, -1, r); break;
    default: break;
  }
  const CSheet before = s;
  if (mode % 4 == 3) {
    PasteTable(m, Cp1250ToUtf8(text), 1);
  } else {
    PasteText(m, text, 1);
  }
  CheckAxis(s.x);
  CheckAxis(s.y);
  for (int row = 0; row < kMaxRows; ++row) {
    for (int col = 0; col < kRowPitch; ++col) {
      const auto i = static_cast<std::size_t>(CSheet::CellIndex(col, row));
      if (s.InCells(col, row)) {
        FUZZ_CHECK(s.data.values[i] >= s.data.minimum && s.data.values[i] <= s.data.maximum);
      } else if (!before.InCells(col, row)) {
        FUZZ_CHECK(s.data.values[i] == before.data.values[i]);
      }
    }
  }
  TypedEntry entry;
  StartEntry(entry, 0, 0, "1");
  EntryPaste(entry, text);
  FUZZ_CHECK(entry.text.size() <= static_cast<std::size_t>(kMaxTypedChars));
  FUZZ_CHECK(entry.caret >= 0 && entry.caret <= static_cast<int>(entry.text.size()));
  return 0;
}

}  // namespace ign::fuzz

#ifdef IGN_FUZZ_CLIPBOARD_MAIN
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return ign::fuzz::ClipboardText(data, size);
}
#endif
