#pragma once
// CAxe: one axis of a sheet (its X axis, its Y axis, or the descriptor of its
// data), and CAxeGridRule, the graph spacing rule of an axis.
//
// All values are signed 32-bit integers in stored units; the user sees
// stored * scale, formatted by FormatValue (format.h). The owner fills and
// reads the public fields directly and then asks for normalisation
// (normalise.h), which brings count, values and limits back into order.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/mapedit/limits.h"

namespace ign {

// Graph spacing rule: a threshold of the axis range and four spacings in
// display units. A rule list written as a C array ends with a record whose
// gridSpacing is 0.0.
struct CAxeGridRule {
  double rangeThreshold = 0.0;
  double rangeUnit = 1.0;     // graph ranges are rounded to multiples of it
  double gridSpacing = 1.0;   // grid lines
  double fineSpacing = 1.0;   // not drawn by the 2D graph
  double labelSpacing = 1.0;  // axis labels
};

// The rules of the rpm axes (display units, rpm), ending with the terminator.
inline constexpr std::array<CAxeGridRule, 4> kRpmGridRules = {{
    {4000.0, 2000.0, 1000.0, 200.0, 1000.0},
    {10000.0, 2000.0, 1000.0, 500.0, 1000.0},
    {25000.0, 2000.0, 1000.0, 1000.0, 2000.0},
    {0.0, 0.0, 0.0, 0.0, 0.0},
}};

// Index of the rule in force for an axis range maximum: the first rule whose
// threshold is not below it, else the last rule; -1 without rules.
int GridRuleInForce(std::span<const CAxeGridRule> rules, double rangeMax);

// The index a preferred index stands for on an axis of count points:
// kFirst -> 0, kLast -> count - 1, kMiddle -> count / 2, any other value
// clamped to 0 .. count - 1 (0 when count < 1).
int ResolvePreferredIndex(int preferred, int count);

// Cuts text to at most maxBytes UTF-8 bytes without splitting a character.
std::string CutText(std::string_view text, std::size_t maxBytes);

class CAxe {
 public:
  // An axis of capacity points (data axes: kMaxCells), values zeroed.
  explicit CAxe(int capacity = 0);

  uint32_t colour = 0xFFFFFF;  // header cells (data axis: the cells), RGB
  uint32_t secondColour = 0;
  std::string label;          // packed text; for the data axis the data name
  std::string unit;           // key of the live value: "RPM", "TP", "IAP", "TA", "TW", "Tst", "AFR"
  std::string suffix;         // appended to shown values ("%", "°")
  int32_t suffixInCells = 0;  // data axis: cells show the suffix only when set
  int capacity = 0;           // maximum number of points (<= values.size())
  int minCount = 1;           // deletion stops here
  int count = 0;              // points in use
  int32_t collapsed = 0;      // the axis is reduced to collapsedIndex
  int collapsedIndex = 0;     // derived from preferredIndex (UpdateCollapsedIndex)
  int preferredIndex = Preferred::kFirst;
  int32_t editable = 1;   // 0: no command, drag or typed entry changes this axis
  int32_t resizable = 0;  // 0: no point can be inserted or deleted
  int collapsible = Collapsible::kNo;
  int firstVisible = 0;  // first point shown when the table is scrolled

  std::vector<int32_t> values;       // capacity points (data axis: 1500 cells, row pitch 50)
  std::vector<uint8_t> pointFlags;   // one byte per value
  std::vector<int32_t> savedValues;  // values after the last normalisation
  std::vector<int32_t> homeValues;   // elastic memory: where a pushed point came from
  std::vector<uint8_t> pushed;       // elastic memory: point moved by a neighbour

  double scale = 1.0;  // display value = stored * scale
  int32_t minimum = 0;
  int32_t maximum = 100;
  int32_t step = 1;  // minimum distance of neighbouring points
  int lastEdited = kNoEditedPoint;

  // Enumeration texts (packed); an enumerated value v shows text v % 1000
  // of table v / 1000. Empty tables: the axis is not enumerated.
  std::array<std::vector<std::string>, kEnumTables> enumTexts;

  // Values of a second map shown for comparison; not owned, may be empty.
  std::span<const int32_t> comparison;

  int32_t numeric = 0;        // 1: graphs place points by value, 0: by index
  uint32_t overlayGroup = 0;  // sheets sharing a bit share a graph range
  std::array<CAxeGridRule, kMaxGridRules> gridRules{};
  int gridRuleCount = 0;
  int gridRuleInForce = -1;
  int32_t fullRange = 0;  // 3D view scales over minimum .. maximum
  int32_t fontSize = 0;   // 0: canvas font x 1.4 bold; > 0 size bold; < 0 -size plain

  // Copies rules up to the terminator (gridSpacing 0.0) or kMaxGridRules.
  void SetGridRules(std::span<const CAxeGridRule> rules);
  // Picks the rule in force for a range maximum; returns its spacings, or
  // 1.0 for each spacing without rules or on a non-numeric axis.
  CAxeGridRule ChooseGridRule(double rangeMax);

  // collapsedIndex from preferredIndex and count.
  void UpdateCollapsedIndex();
  // The index drawn first: the collapsed index, else firstVisible.
  int FirstShown() const { return collapsed ? collapsedIndex : firstVisible; }

  bool IsEnumerated() const { return !enumTexts[0].empty() || !enumTexts[1].empty(); }
  // The enumeration text of a value in the current language. An invalid
  // value is reported through the developer error box and gives nothing.
  std::optional<std::string> EnumerationText(int32_t value) const;

  // Forgets the elastic memory of every point.
  void ForgetElasticMemory();
};

}  // namespace ign
