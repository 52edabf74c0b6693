#include <gtest/gtest.h>

#include "core/params/address_map.h"

namespace ign {
namespace {

TEST(LayoutCheck, CurrentLayoutIsSound) {
  LayoutExtents l = CurrentLayout();
  EXPECT_EQ(l.lastWordEnd, 66);  // words 66..69 are unnamed
  EXPECT_EQ(l.lastByteEnd, 1050);
  EXPECT_EQ(l.gapBytesToTables, 555 - 405);
  EXPECT_TRUE(ConsistencyMessages(l).empty());
}

TEST(LayoutCheck, ReportsEveryOverflowWithItsAmount) {
  LayoutExtents l = CurrentLayout();
  l.lastWordEnd = 72;
  l.lastByteEnd = 1051;
  l.gapBytesToTables = -3;
  l.monitorByteEnd = 160;
  l.bitFields.push_back({"WIDE", 9});
  l.imageLen = 9000;
  const std::vector<std::string> expected = {
      "Software error: Enum Adrw to long - 2",
      "Software error: Enum Adrb to long - 1",
      "Software error: Enum Adrb - no space between bytes and tables - 3",
      "Software error: Enum Monb to long - 9",
      "Software error: More then 8 bits in bitfield - 1",
      "Software error: RS_LEN_EXE>COMMAXBUF - 9000>8000",
  };
  EXPECT_EQ(ConsistencyMessages(l), expected);
}

}  // namespace
}  // namespace ign
