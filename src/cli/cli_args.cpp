#include "cli/cli_args.h"

#include <cstdlib>

namespace ign::cli {
namespace {

bool ParseNumber(const std::string& s, double& out) {
  char* end = nullptr;
  out = std::strtod(s.c_str(), &end);
  return !s.empty() && end && *end == 0;
}

}  // namespace

const char* UsageText() {
  return "Usage: ignctl COMMAND [options]\n"
         "\n"
         "  ports                                    list port numbers, device paths, present/open,\n"
         "                                           product, maker and serial number of USB adapters\n"
         "  info    [--port N] [--timeout S]         connect and print the unit's name, key, subversion\n"
         "                                           and header texts\n"
         "  read    [--port N] [--timeout S] [--no-history] -o FILE\n"
         "                                           connect and read the settings (two agreeing reads)\n"
         "  verify  [--port N] [--timeout S] [--no-history] FILE\n"
         "                                           does the unit hold FILE's settings?\n"
         "  program [--port N] [--timeout S] [--changed-only] [--force] [--no-history] FILE\n"
         "                                           program, read back, wait until the unit has saved;\n"
         "                                           a unit set for another bike than FILE is refused\n"
         "                                           unless --force is given\n"
         "  reset   [--port N] [--timeout S]\n"
         "  monitor [--port N] [--seconds S] [--csv FILE] [--plain]\n"
         "                                           the live display about once a second: a table redrawn\n"
         "                                           in place on a terminal, one line per record with\n"
         "                                           --plain or into a file or pipe; --csv writes the CSV\n"
         "                                           log of every record (Ctrl+C ends it)\n"
         "  play    RECORDING (--csv FILE | --info)  a recording (.ignlog) as the CSV log its playback\n"
         "                                           writes, or its header and record counts\n"
         "  log summary [--settings S] [--time NAME] LOG\n"
         "                                           per channel of a recording (.ignlog) or CSV log:\n"
         "                                           minimum, maximum, mean, time above a threshold\n"
         "  log hits [--map advance1|advance2|servo] [--settings S] [--time NAME] [--csv OUT] LOG\n"
         "                                           seconds the engine spent in each cell of a map (a\n"
         "                                           recording's own settings, or S; a CSV log needs S)\n"
         "  convert [--raw] IN OUT                   convert between .ign, .bin (1050 raw bytes) and .ini\n"
         "  diff    [--raw] A B                      parameters that differ, by page, caption and shown\n"
         "                                           value; --raw: by name and element, for scripts\n"
         "  history list [--unit ID]                 the unit history, newest first, one entry a line\n"
         "  history units                            the units in the history\n"
         "  history show ENTRY                       an entry and what it changed\n"
         "  history diff [--raw] ENTRY ENTRY|FILE    differences between an entry's settings and another's\n"
         "  history export ENTRY FILE                an entry's settings as a file\n"
         "  history note ENTRY TEXT                  the entry's note\n"
         "                                           ENTRY: the image the unit held (a Program: the image\n"
         "                                           it replaced); ENTRY:programmed, ENTRY:editor the\n"
         "                                           image a Program wrote, a Verify compared with\n"
         "  handover --port N (release|reset|takeback)  port messages to a running ignset\n"
         "  archive [SCRIPT]                         archive store commands (OPEN, IMPORT, SAVE ...) from\n"
         "                                           SCRIPT or standard input; 1 when one reported (error)\n"
         "\n"
         "  --port N      0 = automatic search (default), n = only port n\n"
         "  --timeout S   seconds to find a unit (default 10)\n"
         "  --lang L      en, de or cs (messages and texts)\n"
         "  --no-history  keep nothing of this run in the unit history\n"
         "\n"
         "Files by extension: .ign settings file, .bin raw settings block, .ini default.ini layout.\n"
         "Exit codes: 0 success, 1 failed or different (a monitor link that drops, a CSV\n"
         "            log that cannot be written), 2 usage or unreadable input (a damaged recording),\n"
         "            3 no unit found, 4 unit key or subversion does not match, 5 programming\n"
         "            refused by the checks before it (the reason on standard error; a unit set for\n"
         "            another bike needs --force), 6 the port is in use by another program\n"
         "            (--port N), or no unit found and ports in use skipped.\n";
}

std::optional<Args> ParseArgs(int argc, char** argv, std::string& error) {
  Args a;
  if (argc < 2) {
    error = "no command given";
    return std::nullopt;
  }
  a.command = argv[1];
  for (int i = 2; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&](double& out) {
      if (i + 1 >= argc || !ParseNumber(argv[i + 1], out)) {
        error = arg + " needs a number";
        return false;
      }
      ++i;
      return true;
    };
    double n = 0;
    if (arg == "--port") {
      if (!value(n)) return std::nullopt;
      a.port = int(n);
      if (n != a.port || a.port < 0 || a.port > 255) {
        error = "--port must be 0..255";
        return std::nullopt;
      }
    } else if (arg == "--timeout") {
      if (!value(a.timeout)) return std::nullopt;
    } else if (arg == "--seconds") {
      if (!value(a.seconds)) return std::nullopt;
    } else if (arg == "--changed-only") {
      a.changedOnly = true;
    } else if (arg == "--force") {
      a.force = true;
    } else if (arg == "--raw") {
      a.raw = true;
    } else if (arg == "-o" || arg == "--output") {
      if (i + 1 >= argc) {
        error = arg + " needs a file name";
        return std::nullopt;
      }
      a.output = argv[++i];
    } else if (arg == "--csv") {
      if (i + 1 >= argc) {
        error = "--csv needs a file name";
        return std::nullopt;
      }
      a.csv = argv[++i];
    } else if (arg == "--map" || arg == "--settings" || arg == "--time") {
      if (i + 1 >= argc) {
        error = arg + " needs a value";
        return std::nullopt;
      }
      (arg == "--map" ? a.map : arg == "--settings" ? a.settings : a.timeColumn) = argv[++i];
    } else if (arg == "--plain") {
      a.plain = true;
    } else if (arg == "--no-history") {
      a.noHistory = true;
    } else if (arg == "--unit") {
      if (i + 1 >= argc) {
        error = "--unit needs a unit's id or identity";
        return std::nullopt;
      }
      a.unit = argv[++i];
    } else if (arg == "--info") {
      a.info = true;
    } else if (arg == "--lang") {
      if (i + 1 >= argc) {
        error = "--lang needs en, de or cs";
        return std::nullopt;
      }
      a.lang = argv[++i];
      if (a.lang != "en" && a.lang != "de" && a.lang != "cs") {
        error = "--lang must be en, de or cs";
        return std::nullopt;
      }
    } else if (arg.size() > 1 && arg[0] == '-') {
      error = "unknown option " + arg;
      return std::nullopt;
    } else {
      a.positional.push_back(arg);
    }
  }
  if (a.timeout <= 0) {
    error = "--timeout must be above 0";
    return std::nullopt;
  }
  return a;
}

}  // namespace ign::cli
