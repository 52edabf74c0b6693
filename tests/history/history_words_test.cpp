// References to an entry's images as ignctl takes them.
#include <gtest/gtest.h>

#include "core/history/history_recorder.h"
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

namespace ign {
namespace {

// A unit is known by its serial; without a real one, by its name with
// production date and time.
TEST(UnitIdentities, SerialElseNameWithProductionDateAndTime) {
  const struct {
    const char* serial;
    const char* name;
    const char* date;
    const char* time;
    const char* expected;
  } cases[] = {
      {"240314-010941-0075a", "IGNSIM", "14.03.2024", "09:41", "240314-010941-0075a"},
      {"none SN", "IGNSIM", "14.03.2024", "09:41", "IGNSIM 14.03.2024 09:41"},
      {"", "ABC07", " 1.12.2023", "10:05", "ABC07  1.12.2023 10:05"},
      {"", "", "", "", "?"},
  };
  for (const auto& c : cases) {
    UnitInfo u;
    u.serial = c.serial;
    u.name = c.name;
    u.productionDate = c.date;
    u.productionTime = c.time;
    EXPECT_EQ(UnitIdentity(u), c.expected) << c.serial << "/" << c.name;
  }
}

}  // namespace
}  // namespace ign
