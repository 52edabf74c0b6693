#include "cli/monitor_text.h"

#include <algorithm>

namespace ign::cli {
namespace {

// The text a label shows, without the blanks some texts are padded with;
// empty when the label is hidden or keeps its caption.
std::string Shown(const DisplayModel& m, const char* name) {
  const LabelView& v = m.Label(name);
  if (!v.visible || !v.text) return {};
  std::string text = *v.text;
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

// Characters on the screen: UTF-8 continuation bytes take no column.
size_t Columns(const std::string& s) {
  return size_t(std::count_if(s.begin(), s.end(),
                              [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

constexpr const char* kEngine[] = {"LabelRpm", "LabelTpsMon", "LabelNapeti"};
constexpr const char* kAdvance[] = {"LabelAdvance1", "LabelAdvance2", "LabelAdvance3", "LabelAdvance4"};
constexpr const char* kFlags[] = {
    "LabelMonLimiterOut", "LabelMonStartLimiterOut", "LabelKillSwitch", "LabelBlocking",
    "LabelClutchMon",     "LabelMonRetard",          "Label2ndAdv",     "LabelMonTachoLambdaOut",
    "LabelMonSnimac1",    "LabelMonSnimac2",         "LabelMonPOut1",   "LabelMonPOut2",
    "LabelMonInput1In",   "LabelMonInput2In",        "LabelServo",      "LabelOvervoltageEvents",
};
constexpr size_t kFlagsPerRow = 3;
constexpr size_t kLongFlag = 32;  // columns

}  // namespace

std::string MonitorLine(const DisplayModel& m) {
  static const char* const kShown[] = {
      "LabelRpm",
      "LabelTpsMon",
      "LabelNapeti",
      "LabelAdvance1",
      "LabelAdvance2",
      "LabelAdvance3",
      "LabelAdvance4",
      "LabelMonSnimac1",
      "LabelMonSnimac2",
      "LabelMonLimiterOut",
      "LabelMonPOut1",
      "LabelMonPOut2",
      "LabelMonInput1In",
      "LabelMonInput2In",
      "LabelServo",
      "LabelHourMeter",
      "LabelOvervoltageEvents",
  };
  std::string line;
  for (const char* name : kShown) {
    const std::string text = Shown(m, name);
    if (text.empty()) continue;
    if (!line.empty()) line += " | ";
    line += text;
  }
  return line;
}

std::vector<std::string> MonitorTable(const DisplayModel& m) {
  std::vector<std::vector<std::string>> grid(2);
  for (const char* name : kEngine)
    if (std::string t = Shown(m, name); !t.empty()) grid[0].push_back(t);
  for (const char* name : kAdvance)
    if (std::string t = Shown(m, name); !t.empty()) grid[1].push_back(t);
  // Short flags three to a row; a long text (a pick-up's state, the
  // overvoltage count) takes a line of its own below, so the columns stay narrow.
  std::vector<std::string> flags, longFlags;
  for (const char* name : kFlags) {
    // A function the unit does not have in use is greyed in the window; here it is left out.
    if (!m.Label(name).enabled) continue;
    if (std::string t = Shown(m, name); !t.empty()) (Columns(t) > kLongFlag ? longFlags : flags).push_back(t);
  }
  for (size_t i = 0; i < flags.size(); i += kFlagsPerRow)
    grid.emplace_back(flags.begin() + long(i),
                      flags.begin() + long(std::min(flags.size(), i + kFlagsPerRow)));

  std::vector<size_t> width;
  for (const auto& row : grid)
    for (size_t i = 0; i < row.size(); ++i) {
      if (width.size() <= i) width.push_back(0);
      width[i] = std::max(width[i], Columns(row[i]));
    }
  std::vector<std::string> lines;
  for (const auto& row : grid) {
    if (row.empty()) continue;
    std::string line;
    for (size_t i = 0; i < row.size(); ++i) {
      line += row[i];
      if (i + 1 < row.size()) line += std::string(width[i] + 3 - Columns(row[i]), ' ');
    }
    lines.push_back(line);
  }
  lines.insert(lines.end(), longFlags.begin(), longFlags.end());
  return lines;
}

std::string TableRedraw::Frame(const std::vector<std::string>& lines) {
  std::string out;
  if (shown_ > 0) out += "\x1b[" + std::to_string(shown_) + "F";  // to the start of the first line
  for (const std::string& line : lines) out += line + "\x1b[K\n";
  out += "\x1b[J";
  shown_ = lines.size();
  return out;
}

}  // namespace ign::cli
