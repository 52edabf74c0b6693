// The search table, the model table and identification of a unit's answer.
#include <gtest/gtest.h>

#include <vector>

#include "core/comm/codec.h"
#include "core/comm/search_memory.h"
#include "core/comm/search_table.h"

namespace ign {
namespace {

TEST(SearchTable, FreeRowsHoldThePreferredProtocol) {
  const int types[] = {3150, 1, 2, 3150, 3050, 3150, 3100, 3150, 3150, 3150, 1, 2, 3150, 3300, 0};
  const int bauds[] = {57600, 57600, 57600, 57600,  57600,  57600, 57600,
                       57600, 57600, 57600, 115200, 115200, 57600, 115200};
  const int timeouts[] = {175, 75, 125, 175, 125, 175, 175, 175, 175, 175, 75, 325, 175, 175};
  for (int row = 0; row < kSearchRows; ++row) {
    EXPECT_EQ(SearchTableRow(row).type, types[row]) << row;
    if (row < kSearchRows - 1) {
      EXPECT_EQ(SearchTableRow(row).baud, bauds[row]) << row;
      EXPECT_EQ(SearchTableRow(row).timeout, timeouts[row]) << row;
    }
  }
}

// The remembered rows come from files another program or a damaged disk may
// have written: what does not name a port and a probe of the table is skipped,
// and the good entries around it are still taken.
TEST(SearchMemory, TakesGoodEntriesAndSkipsTheRest) {
  const struct {
    const char* text;
    const char* kept;
  } cases[] = {
      {"", ""},
      {"1:3300:115200,4:3150:57600", "1:3300:115200,4:3150:57600"},
      {"4:3150:57600,1:3300:115200", "1:3300:115200,4:3150:57600"},  // ports ascending
      {"2:1:115200", "2:1:115200"},                                  // the row of that baud rate
      {"2:3300:57600", ""},                                          // no such row
      {"2:0:0", ""},                                                 // the table's end is no probe
      {"0:3150:57600,256:3150:57600,-1:3150:57600", ""},             // no such port
      {"1:3150:57600,junk,3:2:57600", "1:3150:57600,3:2:57600"},
      {"1:3150:57600x,2:3150", ""},
      {"5:3150:57600,5:3300:115200", "5:3300:115200"},  // the last entry of a port wins
      {",,,:::", ""},
      {"99999999999999999999:3150:57600,7:3100:57600", "7:3100:57600"},
      {"\xff\xfe"
       "1:3150:57600\n",
       ""},
  };
  for (const auto& c : cases) {
    CSearchMemory memory;
    memory.FromText(c.text);
    EXPECT_EQ(memory.ToText(), c.kept) << c.text;
  }
}

TEST(SearchMemory, RemembersOnlyProbeRowsOfRealPorts) {
  CSearchMemory memory;
  memory.Remember(3, 13);
  memory.Remember(0, 4);
  memory.Remember(256, 4);
  memory.Remember(7, kSearchRows - 1);  // the end row
  memory.Remember(8, -1);
  EXPECT_EQ(memory.RowFor(3), 13);
  EXPECT_EQ(memory.RowFor(7), -1);
  EXPECT_EQ(memory.ToText(), "3:3300:115200");
  // A free row is kept as the preferred protocol and read back as its first row.
  memory.Remember(3, 12);
  CSearchMemory again;
  again.FromText(memory.ToText());
  EXPECT_EQ(again.RowFor(3), 0);
}

TEST(ModelTable, KeysAreUniqueAndIncludeTheProgramsOwn) {
  bool own = false;
  for (int i = 0; i < ModelCount(); ++i) {
    const ModelRow& row = Model(i);
    EXPECT_GT(row.key, 0);
    EXPECT_LT(std::string(row.name).size(), 32u);
    for (int j = 0; j < i; ++j) EXPECT_NE(Model(j).key, row.key);
    own = own || row.key == 108;
  }
  EXPECT_TRUE(own);
}

TEST(Identify, ShortAnswerKeyByFamily) {
  std::vector<uint8_t> frame(302, 0);
  frame[0] = 0xB0;
  frame[150] = 108;
  UnitIdentity id = IdentifyShort(Proto::Ign150, frame.data());
  EXPECT_EQ(id.key, 108);
  EXPECT_EQ(id.maxFrameLen, 152);
  EXPECT_EQ(id.frameOverhead, 2);
  EXPECT_EQ(id.hardwareId, -1);
  EXPECT_EQ(id.name, "Programmable DI v108");

  frame[50] = 200;  // no model has key 200
  id = IdentifyShort(Proto::Ign50, frame.data());
  EXPECT_EQ(id.key, 200);
  EXPECT_EQ(id.name, "Kardomex 200");

  frame[2] = 0x01;
  frame[3] = 0x2D;  // 301: high byte at offset 2, low at 3
  id = IdentifyShort(Proto::Ign300, frame.data());
  EXPECT_EQ(id.key, 301);
  EXPECT_EQ(id.maxFrameLen, 302);
}

TEST(Identify, HeaderAnswerValuesOnlyWhenWhollyInside) {
  struct Case {
    std::vector<uint8_t> data;
    int maxFrame, hw, key;
    const char* name;
  };
  const Case cases[] = {
      {{'U', 'N', 0}, 48, -1, -1, "UN v-1 (hw:ffffffff)"},
      {{'U', 'N', 0, 64, 0, 0x50, 0x01, 108, 0}, 64, 0x150, 108, "UN v108 (hw:150)"},
      {{'U', 'N', 0, 64, 0, 0x50}, 64, -1, -1, "UN v-1 (hw:ffffffff)"},   // half a value is not read
      {{'U', 'N', 0, 5, 0, 1, 0, 108, 0}, 48, 1, 108, "UN v108 (hw:1)"},  // unusable frame length
      {{'A', 'B', 'C'}, 48, -1, -1, "ABC v-1 (hw:ffffffff)"},             // no terminating NUL
  };
  for (const Case& c : cases) {
    const UnitIdentity id = IdentifyHeader(c.data.data(), int(c.data.size()));
    EXPECT_EQ(id.maxFrameLen, c.maxFrame) << c.name;
    EXPECT_EQ(id.hardwareId, c.hw) << c.name;
    EXPECT_EQ(id.key, c.key) << c.name;
    EXPECT_EQ(id.name, c.name);
    EXPECT_EQ(id.frameOverhead, 16);
  }
}

}  // namespace
}  // namespace ign
