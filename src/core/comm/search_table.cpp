#include "core/comm/search_table.h"

#include <array>

#include "core/comm/codec.h"
#include "core/comm/comm_const.h"
#include "core/comm/trace.h"

namespace ign {

namespace {

constexpr int kFree = -1;
constexpr SearchRow kPreferred{Proto::Ign150, 57600, 175};

constexpr SearchRow kTable[kSearchRows] = {
    {kFree, 0, 0},
    {Proto::Wcom, 57600, 75},
    {Proto::Wcoms, 57600, 125},
    {kFree, 0, 0},
    {Proto::Ign50, 57600, 125},
    {kFree, 0, 0},
    {Proto::Ign100, 57600, 175},
    {kFree, 0, 0},
    {Proto::Ign150, 57600, 175},
    {kFree, 0, 0},
    {Proto::Wcom, 115200, 75},
    {Proto::Wcoms, 115200, 325},
    {kFree, 0, 0},
    {Proto::Ign300, 115200, 175},
    {Proto::None, 0, 0},
};

constexpr std::array<SearchRow, kSearchRows> FillFree() {
  std::array<SearchRow, kSearchRows> rows{};
  for (int i = 0; i < kSearchRows; ++i) rows[size_t(i)] = kTable[i].type == kFree ? kPreferred : kTable[i];
  return rows;
}
constexpr std::array<SearchRow, kSearchRows> kFilled = FillFree();

// Model names of the unit families, by key. Key 108 is the family this program serves.
constexpr ModelRow kModels[] = {
    {1, "Ignitor A1"},        {2, "Ignitor A2"},     {3, "Ignitor A3"},     {4, "Ignitor A4"},
    {5, "Ignitor A5"},        {6, "Ignitor A6"},     {7, "Ignitor A7"},     {8, "Ignitor A8"},
    {9, "Ignitor A9"},        {10, "Ignitor B10"},   {11, "Ignitor B11"},   {12, "Ignitor B12"},
    {14, "Ignitor B14"},      {15, "Ignitor B15"},   {16, "Ignitor B16"},   {17, "Ignitor B17"},
    {18, "Ignitor B18"},      {19, "Ignitor B19"},   {20, "Ignitor C20"},   {21, "Ignitor C21"},
    {22, "Ignitor C22"},      {23, "Ignitor C23"},   {24, "Ignitor C24"},   {25, "Ignitor C25"},
    {26, "Ignitor C26"},      {27, "Ignitor C27"},   {28, "Ignitor C28"},   {29, "Ignitor C29"},
    {30, "Twinspark 30"},     {31, "Twinspark 31"},  {32, "Twinspark 32"},  {33, "Twinspark 33"},
    {34, "Twinspark 34"},     {35, "Twinspark 35"},  {36, "Twinspark 36"},  {37, "Twinspark 37"},
    {38, "Twinspark 38"},     {39, "Twinspark 39"},  {40, "Enduro E40"},    {41, "Enduro E41"},
    {42, "Enduro E42"},       {43, "Enduro E43"},    {44, "Enduro E44"},    {45, "Enduro E45"},
    {46, "Enduro E46"},       {47, "Enduro E47"},    {48, "Enduro E48"},    {49, "Enduro E49"},
    {50, "Roadster R50"},     {51, "Roadster R51"},  {52, "Roadster R52"},  {53, "Roadster R53"},
    {54, "Roadster R54"},     {55, "Roadster R55"},  {56, "Roadster R56"},  {57, "Roadster R57"},
    {58, "Roadster R58"},     {59, "Roadster R59"},  {60, "Classic K60"},   {61, "Classic K61"},
    {62, "Classic K62"},      {63, "Classic K63"},   {64, "Classic K64"},   {65, "Classic K65"},
    {67, "Classic K67"},      {68, "Classic K68"},   {69, "Classic K69"},   {70, "Racer X70"},
    {71, "Racer X71"},        {72, "Racer X72"},     {73, "Racer X73"},     {74, "Racer X74"},
    {75, "Racer X75"},        {76, "Racer X76"},     {77, "Racer X77"},     {78, "Racer X78"},
    {79, "Racer X79"},        {80, "Trial T80"},     {81, "Trial T81"},     {82, "Trial T82"},
    {83, "Trial T83"},        {84, "Trial T84"},     {85, "Trial T85"},     {86, "Trial T86"},
    {87, "Trial T87"},        {88, "Trial T88"},     {89, "Trial T89"},     {90, "Vintage V90"},
    {91, "Vintage V91"},      {92, "Vintage V92"},   {93, "Vintage V93"},   {94, "Vintage V94"},
    {95, "Vintage V95"},      {96, "Vintage V96"},   {97, "Vintage V97"},   {98, "Vintage V98"},
    {100, "Digital D100"},    {101, "Digital D101"}, {102, "Digital D102"}, {103, "Digital D103"},
    {104, "Digital D104"},    {105, "Digital D105"}, {106, "Digital D106"}, {107, "Digital D107"},
    {108, "Programmable DI"}, {109, "Digital D109"}, {110, "Digital D110"}, {111, "Digital D111"},
    {301, "Kart M301"},       {302, "Kart M302"},    {303, "Kart M303"},    {304, "Kart M304"},
    {305, "Kart M305"},       {306, "Kart M306"},    {307, "Kart M307"},    {308, "Kart M308"},
    {309, "Kart M309"},       {310, "Kart M310"},    {311, "Kart M311"},    {1000, "Bench unit"},
    {1001, "Bench unit II"},
};
constexpr int kModelCount = int(sizeof kModels / sizeof kModels[0]);
static_assert(kModelCount == 121, "121 models and the closing row make 122");

constexpr int kHeaderMinFrame = Hdr::Overhead + 1;
constexpr int kHeaderMaxFrame = Hdr::Overhead + kMaxHeaderDataSent;

}  // namespace

const SearchRow& SearchTableRow(int row) {
  if (row < 0 || row >= kSearchRows) row = kSearchRows - 1;
  return kFilled[size_t(row)];
}

int ModelCount() { return kModelCount; }
const ModelRow& Model(int index) { return kModels[index]; }

UnitIdentity IdentifyShort(int type, const uint8_t* frame) {
  UnitIdentity id;
  const int n = ShortDataLen(type);
  id.maxFrameLen = n + 2;
  id.frameOverhead = 2;
  id.key = type == Proto::Ign300 ? (frame[2] << 8) | frame[3] : frame[n];
  id.name = Format("Kardomex %i", id.key);
  for (const ModelRow& row : kModels) {
    if (row.key == id.key) id.name = Format("%s v%i", row.name, id.key);
  }
  return id;
}

UnitIdentity IdentifyHeader(const uint8_t* data, int dataLen) {
  UnitIdentity id;
  id.frameOverhead = Hdr::Overhead;
  id.maxFrameLen = 48;
  int end = 0;
  while (end < dataLen && data[end] != 0) ++end;
  id.name.assign(reinterpret_cast<const char*>(data), size_t(std::min(end, 31)));
  int at = end + 1;  // after the terminating NUL
  int values[3] = {id.maxFrameLen, -1, -1};
  for (int& value : values) {
    if (at + 2 > dataLen) break;
    value = data[at] | (data[at + 1] << 8);
    at += 2;
  }
  // A frame length the job engine cannot cut blocks with falls back to the default.
  id.maxFrameLen = (values[0] >= kHeaderMinFrame && values[0] <= kHeaderMaxFrame) ? values[0] : 48;
  id.hardwareId = values[1];
  id.key = values[2];
  id.name = Format("%s v%i (hw:%x)", id.name.c_str(), id.key, unsigned(id.hardwareId));
  return id;
}

}  // namespace ign
