#include "sim/sim_options.h"

#include <charconv>

namespace ign::sim {
namespace {

bool ParseInt(const std::string& s, long long lo, long long hi, long long* out) {
  long long v = 0;
  const char* end = s.data() + s.size();
  auto [p, ec] = std::from_chars(s.data(), end, v);
  if (ec != std::errc() || p != end || v < lo || v > hi) return false;
  *out = v;
  return true;
}

}  // namespace

std::string HelpText() {
  return "Usage: ignsim --port-dir DIR --com N [options]\n"
         "\n"
         "Simulated ignition unit on a pseudo-terminal. Creates DIR/COM<N> linked to the\n"
         "terminal (DIR is created when missing), prints one line \"READY <link>\" when it\n"
         "listens, and runs until SIGTERM/SIGINT or until its standard input reaches end of\n"
         "file. The link is removed on exit.\n"
         "\n"
         "The unit answers identification probes, header, block read and write requests,\n"
         "monitor requests (with a simulated engine riding a 40 s loop of start, idle, a run\n"
         "to the rev limiter and cruising), one-shot test commands, pick-up streams on request\n"
         "and the reset command; after a programming its records count the saving work down.\n"
         "\n"
         "Line:\n"
         "  --port-dir DIR          folder of the COM<n> links (required)\n"
         "  --com N                 port number 1..255 (required)\n"
         "  --family F              frame family: IGN50, IGN100, IGN150 (default), IGN300,\n"
         "                          WCOM (header frames, CRC check) or WCOMS (sum check)\n"
         "  --baud B                answer only when the program's side of the line runs at B\n"
         "                          (default: 57600, or 115200 for IGN300)\n"
         "  --pace                  run the line at its real rate (10 bits per byte) both ways: a\n"
         "                          request counts as received once it would have arrived, and\n"
         "                          answers go out at that rate\n"
         "\n"
         "Unit:\n"
         "  --image FILE            the 1050-byte settings block, kept across runs (created with\n"
         "                          defaults when missing; a file of another size is refused);\n"
         "                          without it the block lives in memory only\n"
         "  --key K                 key of the unit's parameter structure (default 108)\n"
         "  --subversion S          subversion of the unit's program (default 0)\n"
         "  --name TEXT             unit name in the header and the identification (default IGNSIM)\n"
         "  --serial N              unit number 0..255 in the header's serial (default 7)\n"
         "  --seed S                seed of the simulated engine and of the noise (default 1)\n"
         "\n"
         "Engine (values the records report instead of the ride's):\n"
         "  --pin-rpm N             engine speed, 1/min (the limiter flag follows it)\n"
         "  --pin-battery MV        supply voltage, mV\n"
         "  --pin-load N            load: throttle percent, or kPa with a pressure sensor\n"
         "  --pin-advance DEG       advance of every channel, degrees (-99..155)\n"
         "  --pin-sensor T          load sensor type reported: 0 none, 1 throttle, 2 pressure\n"
         "  --command-log FILE      append a line per monitor request with its one-shot\n"
         "                          command bytes 20..22 and the stream request 23\n"
         "                          (\"monitor N 20=.. 21=.. 22=.. 23=..\")\n"
         "\n"
         "Pick-up streams (sent while the requests ask for them):\n"
         "  --stream-type T         1 synchronised (crank degrees) or 2 time mode; default:\n"
         "                          synchronised once the engine runs above 500 1/min\n"
         "  --cycle-code C          cycle of a synchronised stream: 0 720, 1 360, 2 180,\n"
         "                          3 120 degrees (default: 0 four-stroke, 1 two-stroke)\n"
         "  --stream-switch-after K after K streams the type turns to the other one\n"
         "\n"
         "Faults:\n"
         "  --drop-every K          leave every K-th answer out\n"
         "  --corrupt-every K       spoil the check of every K-th answer\n"
         "  --noise                 send stray bytes before every answer\n"
         "  --delay-ms MS           answer MS milliseconds late\n"
         "  --echo                  loop-back plug: echo every byte, no unit behind it\n"
         "  --hangup-after K        close the line after K answered frames (the link goes\n"
         "                          away; the program keeps running until it is stopped)\n"
         "  --corrupt-stream-every K  spoil one byte of every K-th pick-up stream\n"
         "\n"
         "Process:\n"
         "  --no-stdin              do not watch standard input (otherwise end of file on a pipe\n"
         "                          or terminal stops the unit; /dev/null or a closed input is\n"
         "                          never taken as a stop request)\n"
         "  --help                  show this text\n";
}

std::optional<SimOptions> ParseOptions(const std::vector<std::string>& args, std::string* error) {
  SimOptions o;
  const auto bad = [&](const std::string& msg) -> std::optional<SimOptions> {
    if (error) *error = msg;
    return std::nullopt;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const auto value = [&](std::string* out) {
      if (i + 1 >= args.size()) return false;
      *out = args[++i];
      return true;
    };
    const auto number = [&](long long lo, long long hi, auto* out) {
      std::string v;
      long long n = 0;
      if (!value(&v) || !ParseInt(v, lo, hi, &n)) return false;
      *out = static_cast<std::remove_pointer_t<decltype(out)>>(n);
      return true;
    };
    bool ok = true;
    if (a == "--help" || a == "-h") {
      o.help = true;
    } else if (a == "--port-dir") {
      ok = value(&o.portDir);
    } else if (a == "--com") {
      ok = number(1, 255, &o.com);
    } else if (a == "--family") {
      std::string f;
      ok = value(&f);
      if (ok) {
        const auto fam = ParseFamily(f);
        if (!fam) return bad("unknown family " + f);
        o.family = *fam;
      }
    } else if (a == "--baud") {
      ok = number(50, 4000000, &o.baud);
    } else if (a == "--image") {
      ok = value(&o.image);
    } else if (a == "--key") {
      ok = number(0, 65535, &o.key);
    } else if (a == "--subversion") {
      ok = number(0, 255, &o.subversion);
    } else if (a == "--name") {
      ok = value(&o.name);
    } else if (a == "--serial") {
      ok = number(0, 255, &o.serial);
    } else if (a == "--pace") {
      o.pace = true;
    } else if (a == "--drop-every") {
      ok = number(1, 1000000, &o.dropEvery);
    } else if (a == "--corrupt-every") {
      ok = number(1, 1000000, &o.corruptEvery);
    } else if (a == "--noise") {
      o.noise = true;
    } else if (a == "--delay-ms") {
      ok = number(0, 60000, &o.delayMs);
    } else if (a == "--echo") {
      o.echo = true;
    } else if (a == "--hangup-after") {
      ok = number(1, 1000000, &o.hangupAfter);
    } else if (a == "--corrupt-stream-every") {
      ok = number(1, 1000000, &o.corruptStreamEvery);
    } else if (a == "--seed") {
      ok = number(0, 0xFFFFFFFFLL, &o.seed);
    } else if (a == "--pin-rpm") {
      ok = number(0, 65535, &o.pins.rpm.emplace());
    } else if (a == "--pin-battery") {
      ok = number(0, 65535, &o.pins.batteryMv.emplace());
    } else if (a == "--pin-load") {
      ok = number(0, 999, &o.pins.load.emplace());
    } else if (a == "--pin-advance") {
      ok = number(-99, 155, &o.pins.advance.emplace());
    } else if (a == "--pin-sensor") {
      ok = number(0, 2, &o.pins.sensor.emplace());
    } else if (a == "--stream-type") {
      ok = number(1, 2, &o.pins.streamType.emplace());
    } else if (a == "--cycle-code") {
      ok = number(0, 3, &o.pins.cycleCode.emplace());
    } else if (a == "--stream-switch-after") {
      ok = number(1, 1000000, &o.pins.streamSwitchAfter.emplace());
    } else if (a == "--command-log") {
      ok = value(&o.commandLog);
    } else if (a == "--no-stdin") {
      o.noStdin = true;
    } else {
      return bad("unknown option " + a);
    }
    if (!ok) return bad("missing or bad value for " + a);
  }
  if (o.help) return o;
  if (o.portDir.empty()) return bad("--port-dir is required");
  if (o.com == 0) return bad("--com is required");
  if (o.baud == 0) o.baud = Info(o.family).defaultBaud;
  return o;
}

}  // namespace ign::sim
