// convert and diff: settings files without a unit.
#include <cstdio>

#include "cli/commands.h"
#include "cli/settings_io.h"
#include "core/compare/difference_words.h"
#include "core/params/param_diff.h"

namespace ign::cli {

int CmdConvert(const Args& args) {
  if (args.positional.size() != 2) {
    std::fprintf(stderr, "ignctl: convert needs IN and OUT\n");
    return kUsage;
  }
  Image img = DefaultSettings();
  std::string error;
  if (!LoadSettings(args.positional[0], img, args.raw, error)) {
    std::fprintf(stderr, "ignctl: %s\n", error.c_str());
    return kUsage;
  }
  if (!SaveSettings(args.positional[1], img, IgnVersions{}, error)) {
    std::fprintf(stderr, "ignctl: %s\n", error.c_str());
    return kFailed;
  }
  return kOk;
}

int CmdDiff(const Args& args) {
  if (args.positional.size() != 2) {
    std::fprintf(stderr, "ignctl: diff needs two settings files\n");
    return kUsage;
  }
  // Both files as Open loads them; --raw changes only the form of the lines.
  Image a = DefaultSettings(), b = DefaultSettings();
  std::string error;
  if (!LoadSettings(args.positional[0], a, false, error) ||
      !LoadSettings(args.positional[1], b, false, error)) {
    std::fprintf(stderr, "ignctl: %s\n", error.c_str());
    return kUsage;
  }
  return PrintDifferences(a, b, args.raw) ? kOk : kFailed;
}

bool PrintDifferences(const Image& a, const Image& b, bool raw) {
  if (raw) {
    const std::vector<ParamDifference> diffs = DiffImages(a, b);
    for (const ParamDifference& d : diffs) std::printf("%s\n", FormatDifference(d).c_str());
    std::printf("%zu difference%s\n", diffs.size(), diffs.size() == 1 ? "" : "s");
    return diffs.empty();
  }
  const std::vector<DifferenceLine> lines = DescribeDifferences(a, b);
  std::fputs(DifferenceReport(lines).c_str(), stdout);
  return lines.empty();
}

}  // namespace ign::cli
