// Fuzz targets "update_doc" and "update_rtf": the update description reader
// with the offer decision, and the offer's rich-text reader, on arbitrary
// bytes. IGN_FUZZ_UPDATE_ENTRY picks the entry point. Afterwards an offer
// must be newer than the dismissed number, its addresses must be web
// addresses within their limit, and the rich text must come out bounded.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/text/language.h"
#include "core/update/rtf_reader.h"
#include "core/update/update_doc.h"
#include "core/update/update_offer.h"
#include "fuzz/targets/fuzz_check.h"

namespace ign::fuzz {

namespace {}  // namespace

// First byte: language and dismissed number; the rest is the document.
int UpdateDocument(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const int language = data[0] % 3;
  const int dismissed = data[0] / 3 - 20;
  const std::string_view doc(reinterpret_cast<const char*>(data + 1), size - 1);
  std::optional<UpdateEntry> entry = ChooseUpdate(doc, "2023_10_19");
  if (!entry) return 0;
  FUZZ_CHECK(entry->from.size() <= kUpdateDateChars && entry->to.size() <= kUpdateDateChars);
  FUZZ_CHECK(entry->from <= std::string("2023_10_19") && std::string("2023_10_19") < entry->to);
  std::optional<UpdateOffer> offer = DecideOffer(*entry, language, dismissed);
  if (!offer) {
    FUZZ_CHECK(dismissed >= entry->number);
    return 0;
  }
  FUZZ_CHECK(offer->number > dismissed);
  for (const std::string* a : {&offer->web, &offer->download}) {
    FUZZ_CHECK(a->empty() || IsWebAddress(*a));
    FUZZ_CHECK(a->size() <= kUpdateAddressChars * 3);  // UTF-8 of at most 249 characters
  }
  if (offer->rtf) RtfToHtml(offer->text);
  return 0;
}

int UpdateRtf(const uint8_t* data, size_t size) {
  const std::string_view rtf(reinterpret_cast<const char*>(data), size);
  const std::string plain = RtfToPlainText(rtf);
  const std::string html = RtfToHtml(rtf);
  // Every input byte gives at most one 4-byte character (or a line break).
  FUZZ_CHECK(plain.size() <= 4 * size + 4);
  FUZZ_CHECK(html.rfind("<html><body>", 0) == 0);
  return 0;
}

}  // namespace ign::fuzz

#ifdef IGN_FUZZ_UPDATE_ENTRY
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return ign::fuzz::IGN_FUZZ_UPDATE_ENTRY(data, size);
}
#endif
