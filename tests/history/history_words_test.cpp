// References to an entry's images as ignctl takes them.
#include <gtest/gtest.h>

#include "core/history/history_words.h"

namespace ign {
namespace {

TEST(EntryRefs, NumbersWithAnOptionalImage) {
  const struct {
    const char* text;
    bool valid;
    int64_t id;
    EntryImage image;
  } cases[] = {
      {"12", true, 12, EntryImage::Held},       {"12:programmed", true, 12, EntryImage::Given},
      {"7:editor", true, 7, EntryImage::Given}, {"0", false, 0, EntryImage::Held},
      {"-3", false, 0, EntryImage::Held},       {"12:", false, 0, EntryImage::Held},
      {"12:held", false, 0, EntryImage::Held},  {"a.ign", false, 0, EntryImage::Held},
      {"12x", false, 0, EntryImage::Held},      {"", false, 0, EntryImage::Held},
  };
  for (const auto& c : cases) {
    const std::optional<EntryRef> ref = ParseEntryRef(c.text);
    ASSERT_EQ(ref.has_value(), c.valid) << c.text;
    if (!ref) continue;
    EXPECT_EQ(ref->id, c.id) << c.text;
    EXPECT_EQ(ref->image, c.image) << c.text;
  }
}

}  // namespace
}  // namespace ign
