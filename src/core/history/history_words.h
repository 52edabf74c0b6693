#pragma once
// How the window and ignctl name what the history holds: events, times,
// images, and the references to an entry's images that ignctl takes.
#include <optional>
#include <string>
#include <string_view>

#include "core/history/history_types.h"

namespace ign {

// "Read", "Program (failed)", "Verify: different" in the current language.
std::string EventWords(HistoryEvent event, HistoryResult result);
// "2026-12-11 05:01:02" in local time.
std::string TimeWords(int64_t time);
// "1a2b3c4d" (the image's checksum), "-" without an image.
std::string ImageWords(const std::optional<uint32_t>& checksum);

// Which image of an entry: what the unit held (read, replaced by a Program,
// compared by a Verify) or what it was given (programmed, the editor's).
enum class EntryImage { Held, Given };

struct EntryRef {
  int64_t id = 0;
  EntryImage image = EntryImage::Held;
};

// "12" (held), "12:programmed" or "12:editor" (given); nothing for anything else.
std::optional<EntryRef> ParseEntryRef(std::string_view text);

inline const std::optional<Image>& ImageOf(const HistoryEntry& entry, EntryImage which) {
  return which == EntryImage::Held ? entry.held : entry.given;
}

}  // namespace ign
