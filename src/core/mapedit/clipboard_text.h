#pragma once
// The texts the map editor exchanges through the clipboard: the plain text
// of a selection, the plain and the private text of a whole table, and the
// readers of pasted texts. Texts are UTF-8 here; the private text becomes
// Windows-1250 at the clipboard boundary. Numbers are FormatValue without
// suffix; fields are separated by tabs, lines by single line feeds, with
// no line feed after the last line.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/mapedit/model.h"
#include "core/mapedit/typed_entry.h"

namespace ign {

inline constexpr std::size_t kClipboardTextLimit = 9000;  // bytes; longer texts are cut
inline constexpr std::size_t kHeaderLineLimit = 64;       // characters of a private header line

// Texts for copying; commaDecimal replaces every point by a comma (the
// Czech interface). Each is cut at kClipboardTextLimit.
std::string SelectionText(const CSheet& sheet, bool commaDecimal);
std::string TablePlainText(const CSheet& sheet, bool commaDecimal);
std::string TablePrivateText(const CSheet& sheet, bool commaDecimal);

// Pastes plain text into the active sheet from the top-left corner of the
// selection (cells, X points or Y points) as one edit batch; the written
// points become the selection. False when nothing was written.
bool PasteText(CTabModel& model, std::string_view text, int32_t nowTick);

enum class PasteTableResult { kNothing, kMismatch, kPasted };
// Pastes a private table into the active sheet. A size that differs and
// may not change shows the mismatch message and changes nothing.
PasteTableResult PasteTable(CTabModel& model, std::string_view text, int32_t nowTick);

// Pasting into a typed entry: commas become points, only digits, minus,
// point and blank stay, the text ends at the first tab or line feed; the
// result replaces the highlight at the caret within kMaxTypedChars.
bool EntryPaste(TypedEntry& entry, std::string_view text);

}  // namespace ign
