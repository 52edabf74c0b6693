#include "core/history/history_words.h"

#include <charconv>
#include <cstdio>
#include <ctime>

#include "core/text/lngstr.h"

namespace ign {

std::string EventWords(HistoryEvent event, HistoryResult result) {
  std::string text;
  switch (event) {
    case HistoryEvent::Read: text = LngStr("###Read##Lesen##Čtení"); break;
    case HistoryEvent::Program: text = LngStr("###Program##Programmieren##Programování"); break;
    case HistoryEvent::Verify: text = LngStr("###Verify##Vergleichen##Verifikace"); break;
  }
  switch (result) {
    case HistoryResult::Ok: break;
    case HistoryResult::Corrected: text += LngStr("### (corrected)## (korrigiert)## (opraveno)"); break;
    case HistoryResult::Different: text += LngStr("###: different##: verschieden##: liší se"); break;
    case HistoryResult::Failed: text += LngStr("### (failed)## (fehlgeschlagen)## (selhalo)"); break;
  }
  return text;
}

std::string TimeWords(int64_t time) {
  const std::time_t t = std::time_t(time);
  std::tm tm{};
  localtime_r(&t, &tm);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &tm);
  return text;
}

std::string ImageWords(const std::optional<uint32_t>& checksum) {
  if (!checksum) return "-";
  char text[16];
  std::snprintf(text, sizeof text, "%08x", *checksum);
  return text;
}

std::optional<EntryRef> ParseEntryRef(std::string_view text) {
  EntryRef ref;
  const size_t colon = text.find(':');
  const std::string_view number = text.substr(0, colon);
  const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), ref.id);
  if (ec != std::errc() || end != number.data() + number.size() || ref.id <= 0) return std::nullopt;
  if (colon == std::string_view::npos) return ref;
  const std::string_view which = text.substr(colon + 1);
  if (which != "programmed" && which != "editor") return std::nullopt;
  ref.image = EntryImage::Given;
  return ref;
}

}  // namespace ign
