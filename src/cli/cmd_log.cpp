// ignctl log: a ride's recording (.ignlog) or CSV log without a window: the
// summary of its channels, and the time spent in each cell of a map.
#include <cstdio>
#include <limits>

#include "cli/commands.h"
#include "cli/settings_io.h"
#include "core/base/atomic_file.h"
#include "core/logs/hit_counts.h"
#include "core/logs/log_open.h"
#include "core/logs/log_summary.h"
#include "core/text/lngstr.h"

namespace ign::cli {
namespace {

constexpr double kAll = std::numeric_limits<double>::infinity();

// The settings whose maps count: --settings, else the last settings a recording carries.
bool SettingsFor(const Args& args, const CLog& log, Image& img, bool& known) {
  known = false;
  if (!args.settings.empty()) {
    img = DefaultSettings();
    std::string error;
    if (!LoadSettings(args.settings, img, false, error)) {
      std::fprintf(stderr, "ignctl: %s\n", error.c_str());  // the error names the file
      return false;
    }
    known = true;
  } else if (!log.images.empty()) {
    img = log.images.back().image;
    known = true;
  }
  return true;
}

int Hits(const Args& args, const CLog& log, const Image& img, bool known) {
  const std::optional<HitMap> map = HitMapOfName(args.map);
  if (!map) {
    std::fprintf(stderr, "ignctl: --map must be advance1, advance2 or servo\n");
    return kUsage;
  }
  if (!known) {
    std::fprintf(
        stderr, "ignctl: %s: %s\n", log.source.c_str(),
        LngStr("###The log carries no settings; give the settings with --settings FILE##Das Protokoll "
               "enthält keine Einstellungen; geben Sie sie mit --settings DATEI an##Záznam neobsahuje "
               "nastavení; zadejte je pomocí --settings SOUBOR"));
    return kUsage;
  }
  CHitCounter counter(HitSheetOfImage(img, *map), HitSheetIndex(*map));
  std::string message;
  if (!CountLogHits(log, -kAll, kAll, img[Adrb::TPSIAP_SENSOR], counter, message)) {
    std::fprintf(stderr, "ignctl: %s: %s\n", log.source.c_str(), LngStr(message.c_str()));
    return kUsage;
  }
  const HitTable table = TableOf(counter, *map);
  if (!args.csv.empty() && !WriteFileAtomically(args.csv, HitTableCsv(table))) {
    std::fprintf(
        stderr, "ignctl: %s: %s\n", args.csv.c_str(),
        LngStr("###The file cannot be written##Die Datei kann nicht geschrieben werden##Soubor nelze "
               "zapsat"));
    return kFailed;
  }
  std::printf("%s: %s\n", HitMapName(*map), log.source.c_str());
  std::fputs(HitTableText(table).c_str(), stdout);
  std::printf("%s: %.3f s, %s: %.3f s, %s: %.3f s\n", LngStr("###in the map##in der Tabelle##v mapě"),
              table.counted, LngStr("###elsewhere##anderswo##jinde"), table.elsewhere,
              LngStr("###log##Protokoll##záznam"), log.Duration());
  return kOk;
}

}  // namespace

int CmdLog(const Args& args) {
  if (args.positional.size() != 2 || (args.positional[0] != "summary" && args.positional[0] != "hits")) {
    std::fprintf(stderr, "ignctl: log needs summary or hits and one log file\n");
    return kUsage;
  }
  const std::string& path = args.positional[1];
  CsvReadOptions options;
  options.timeColumn = args.timeColumn;
  LogRead read = OpenLog(path, options);
  if (!read.log) {
    std::fprintf(stderr, "ignctl: %s\n", LogErrorMessage(path, read.error).c_str());
    return kUsage;
  }
  const CLog& log = *read.log;
  Image img{};
  bool known = false;
  if (!SettingsFor(args, log, img, known)) return kUsage;
  if (args.positional[0] == "hits") return Hits(args, log, img, known);
  const int limiter = known ? img[Adrb::LIMITER] * 100 : 0;
  std::printf("%s (%s, %zu rows)\n", log.source.c_str(), log.format.c_str(), log.Rows());
  std::fputs(SummaryText(SummariseLog(log, -kAll, kAll, limiter), log.Duration()).c_str(), stdout);
  return kOk;
}

}  // namespace ign::cli
