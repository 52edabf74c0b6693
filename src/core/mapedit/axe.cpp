#include "core/mapedit/axe.h"

#include <algorithm>

#include "core/mapedit/texts.h"
#include "core/text/message_box.h"

namespace ign {

int GridRuleInForce(std::span<const CAxeGridRule> rules, double rangeMax) {
  if (rules.empty()) return -1;
  for (std::size_t i = 0; i < rules.size(); ++i) {
    if (rules[i].rangeThreshold >= rangeMax) return static_cast<int>(i);
  }
  return static_cast<int>(rules.size()) - 1;
}

int ResolvePreferredIndex(int preferred, int count) {
  if (count < 1) return 0;
  switch (preferred) {
    case Preferred::kFirst: return 0;
    case Preferred::kLast: return count - 1;
    case Preferred::kMiddle: return count / 2;
    default: return std::clamp(preferred, 0, count - 1);
  }
}

std::string CutText(std::string_view text, std::size_t maxBytes) {
  if (text.size() <= maxBytes) return std::string(text);
  std::size_t end = maxBytes;
  // Step back over continuation bytes so that no character is split.
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return std::string(text.substr(0, end));
}

CAxe::CAxe(int capacity_)
    : capacity(std::max(capacity_, 0)),
      count(std::max(capacity_, 0)),
      values(static_cast<std::size_t>(std::max(capacity_, 0)), 0),
      pointFlags(values.size(), 0),
      savedValues(values.size(), 0),
      homeValues(values.size(), 0),
      pushed(values.size(), 0) {}

void CAxe::SetGridRules(std::span<const CAxeGridRule> rules) {
  gridRuleCount = 0;
  for (const CAxeGridRule& rule : rules) {
    if (rule.gridSpacing == 0.0 || gridRuleCount == kMaxGridRules) break;
    gridRules[static_cast<std::size_t>(gridRuleCount++)] = rule;
  }
  gridRuleInForce = gridRuleCount > 0 ? gridRuleCount - 1 : -1;
}

CAxeGridRule CAxe::ChooseGridRule(double rangeMax) {
  gridRuleInForce =
      GridRuleInForce(std::span(gridRules.data(), static_cast<std::size_t>(gridRuleCount)), rangeMax);
  if (gridRuleInForce < 0 || !numeric) return CAxeGridRule{rangeMax, 1.0, 1.0, 1.0, 1.0};
  return gridRules[static_cast<std::size_t>(gridRuleInForce)];
}

void CAxe::UpdateCollapsedIndex() { collapsedIndex = ResolvePreferredIndex(preferredIndex, count); }

std::optional<std::string> CAxe::EnumerationText(int32_t value) const {
  const int index = value % 1000;
  const int table = value / 1000;
  if (value < 0 || (value & 0x400) || index >= kMaxEnumTexts) {
    MessageBox().ShowMessage(MapText::kEnumBeyondMax);
    return std::nullopt;
  }
  if (table >= kEnumTables || enumTexts[static_cast<std::size_t>(table)].empty()) {
    MessageBox().ShowMessage(MapText::kEnumNoTable);
    return std::nullopt;
  }
  const std::vector<std::string>& texts = enumTexts[static_cast<std::size_t>(table)];
  if (static_cast<std::size_t>(index) >= texts.size()) {
    MessageBox().ShowMessage(MapText::kEnumBeyondCount);
    return std::nullopt;
  }
  return Shown(texts[static_cast<std::size_t>(index)]);
}

void CAxe::ForgetElasticMemory() {
  std::fill(pushed.begin(), pushed.end(), 0);
  std::fill(homeValues.begin(), homeValues.end(), 0);
}

}  // namespace ign
