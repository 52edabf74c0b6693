#include "core/mapedit/typed_entry.h"
#include "core/base/format.h"

#include <algorithm>
#include <cstdio>

#include "core/mapedit/axe.h"
#include "core/text/lngstr.h"

namespace ign {

namespace {

// One field per language, each formatted from its own template; the name
// shows its part of the language. A field stays inside the packed-field limit.
template <typename Fill>
std::string PackedNote(std::string_view name, const char* const (&templates)[3], Fill fill) {
  const CPackedText packedName{std::string(name).c_str()};
  std::string out;
  for (int language = 0; language < 3; ++language) {
    const std::string shown = CutText(packedName.Resolve(language), 80);
    std::string field = CutText(fill(templates[language], shown), kMaxPackedField);
    // "##" inside a field would start the next language.
    for (std::size_t at; (at = field.find("##")) != std::string::npos;) field[at + 1] = ' ';
    if (!field.empty() && field.back() == '#') field.back() = ' ';
    out += language == 0 ? "###" : "##";
    out += field;
  }
  return out;
}

std::string Cut(std::string_view s) { return CutText(s, 40); }

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

std::string TypedValueNote(std::string_view name, std::string_view typed, std::string_view minimum,
                           std::string_view maximum, std::string_view stored, bool outside,
                           std::string_view step) {
  const std::string t = Cut(typed), lo = Cut(minimum), hi = Cut(maximum), v = Cut(stored), s = Cut(step);
  if (outside) {
    static const char* const kOutside[3] = {"%s: %s is outside %s … %s; set to %s",
                                            "%s: %s liegt außerhalb %s … %s; auf %s gesetzt",
                                            "%s: %s je mimo rozsah %s … %s; nastaveno na %s"};
    return PackedNote(name, kOutside, [&](const char* f, const std::string& n) {
      return Format(f, n.c_str(), t.c_str(), lo.c_str(), hi.c_str(), v.c_str());
    });
  }
  if (!s.empty()) {
    static const char* const kStepped[3] = {"%s: %s stored as %s (steps of %s)",
                                            "%s: %s gespeichert als %s (in Schritten von %s)",
                                            "%s: %s uloženo jako %s (v krocích po %s)"};
    return PackedNote(name, kStepped, [&](const char* f, const std::string& n) {
      return Format(f, n.c_str(), t.c_str(), v.c_str(), s.c_str());
    });
  }
  static const char* const kStored[3] = {"%s: %s stored as %s", "%s: %s gespeichert als %s",
                                         "%s: %s uloženo jako %s"};
  return PackedNote(name, kStored, [&](const char* f, const std::string& n) {
    return Format(f, n.c_str(), t.c_str(), v.c_str());
  });
}

std::string TypedNotANumberNote(std::string_view name, std::string_view typed, std::string_view kept) {
  const std::string t = Cut(typed), k = Cut(kept);
  static const char* const kNotANumber[3] = {"%s: \"%s\" is not a number; kept %s",
                                             "%s: \"%s\" ist keine Zahl; %s bleibt",
                                             "%s: \"%s\" není číslo; zůstává %s"};
  return PackedNote(name, kNotANumber, [&](const char* f, const std::string& n) {
    return Format(f, n.c_str(), t.c_str(), k.c_str());
  });
}

}  // namespace ign
