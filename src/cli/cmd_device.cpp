// Commands that talk to a unit.
#include <cstdio>

#include "cli/commands.h"
#include "cli/device_session.h"
#include "cli/settings_io.h"
#include "core/files/unit_identity.h"
#include "core/params/param_diff.h"
#include "core/params/param_state.h"

namespace ign::cli {
namespace {

constexpr double kOperationSeconds = 60;
constexpr double kSavingSeconds = 120;

void RequestReadOp(CCommMachine& m) { m.RequestRead(); }
void RequestVerifyOp(CCommMachine& m) { m.RequestVerify(); }
void RequestProgramOp(CCommMachine& m) { m.RequestProgram(); }
void RequestProgramChangedOp(CCommMachine& m) { m.RequestProgramChanged(); }

constexpr double kMonitorSeconds = 5;

// What a settings file carries of the unit, as the window writes it. The
// version text and the calibration come with the unit's monitor record, so a
// settings file waits for the first one (a raw block or an image file carries
// neither).
IgnVersions VersionsOf(DeviceSession& s, FileKind kind) {
  if (kind == FileKind::Ign && !s.WaitMonitorRecord(kMonitorSeconds))
    std::fprintf(stderr, "ignctl: note: no monitor record from the unit; the file carries no calibration\n");
  return UnitFileVersions(s.Unit(), s.Engine().Machine());
}

// Prints the reason of a check that refuses, or that asks without --force.
bool Cleared(const Preflight& check, bool force) {
  if (check.verdict == Verdict::Go || (check.verdict == Verdict::Confirm && force)) return true;
  PrintLines(check.reason);
  if (check.verdict == Verdict::Confirm)
    std::fprintf(stderr, "ignctl: not programmed; --force programs it all the same\n");
  return false;
}

bool LoadInput(const Args& args, Image& img, int& exitCode) {
  if (args.positional.size() != 1) {
    std::fprintf(stderr, "ignctl: %s needs one settings file\n", args.command.c_str());
    exitCode = kUsage;
    return false;
  }
  img = DefaultSettings();
  std::string error;
  if (!LoadSettings(args.positional[0], img, false, error)) {
    std::fprintf(stderr, "ignctl: %s\n", error.c_str());
    exitCode = kUsage;
    return false;
  }
  return true;
}

}  // namespace

int CmdInfo(const Args& args) {
  DeviceSession s(args);
  if (int rc = s.Connect(); rc != kOk) return rc;
  const LinkInfo link = s.Engine().Com().ActiveLink();
  const UnitInfo& u = s.Unit().Texts();
  // The header's code ends with the unit's name; the name has a line of its own.
  std::string code = u.code;
  if (!u.name.empty() && code.size() > u.name.size() && code.ends_with(u.name))
    code.resize(code.size() - u.name.size());
  const auto field = [](const char* label, const std::string& value) {
    std::printf("%-17s%s\n", label, value.empty() ? "-" : value.c_str());
  };
  field("port:", "COM" + std::to_string(link.port));
  field("link:", link.name);
  field("key:", std::to_string(s.Engine().Machine().UnitKey()));
  field("subversion:", std::to_string(s.Engine().Machine().UnitSubversion()));
  field("name:", u.name);
  field("production:", u.productionDate + " " + u.productionTime);
  field("code:", code);
  field("serial:", u.serial);
  field("last update:", u.lastUpdate);
  field("owner:", u.owner);
  field("bad frames:", std::to_string(s.Engine().Com().BadFrameCount()));
  return kOk;
}

int CmdRead(const Args& args) {
  if (args.output.empty() || !args.positional.empty()) {
    std::fprintf(stderr, "ignctl: read needs -o FILE\n");
    return kUsage;
  }
  if (KindOf(args.output) == FileKind::Unknown) {
    std::fprintf(stderr, "ignctl: %s: unknown file type (use .ign, .bin or .ini)\n", args.output.c_str());
    return kUsage;
  }
  DeviceSession s(args);
  if (int rc = s.Connect(); rc != kOk) return rc;
  if (!Succeeded(s.Run(RequestReadOp, Operation::Read, kOperationSeconds, "Read").result)) return kFailed;
  const CSettingsDoc& p = s.Engine().Params();
  // A raw block is what the unit holds; the other forms are the settings as read.
  const Image& img = KindOf(args.output) == FileKind::Bin ? p.Unit() : p.Edited();
  std::string error;
  if (!SaveSettings(args.output, img, VersionsOf(s, KindOf(args.output)), error)) {
    std::fprintf(stderr, "ignctl: %s\n", error.c_str());
    return kFailed;
  }
  std::printf("read: %d bytes from COM%d, two reads agree; written to %s\n", RS_LEN_EXE,
              s.Engine().Com().ActiveLink().port, args.output.c_str());
  return kOk;
}

int CmdVerify(const Args& args) {
  Image file;
  int rc = kOk;
  if (!LoadInput(args, file, rc)) return rc;
  DeviceSession s(args);
  if ((rc = s.Connect()) != kOk) return rc;
  s.Engine().Params().Replace(file);
  const Outcome o = s.Run(RequestVerifyOp, Operation::Verify, kOperationSeconds, "Verify");
  if (Succeeded(o.result)) {
    std::printf("the unit holds the settings of %s\n", args.positional[0].c_str());
    return kOk;
  }
  if (o.result != Result::Different) return kFailed;  // nothing was read to compare
  Image unit = file;
  const auto& read = s.Engine().Machine().LastRead();
  std::copy(read.begin(), read.end(), unit.begin());
  const std::vector<ParamDifference> diffs = DiffImages(file, unit);
  std::printf("file -> unit:\n");
  for (const ParamDifference& d : diffs) std::printf("%s\n", FormatDifference(d).c_str());
  std::printf("%zu difference%s\n", diffs.size(), diffs.size() == 1 ? "" : "s");
  return kFailed;
}

int CmdProgram(const Args& args) {
  Image file;
  int rc = kOk;
  if (!LoadInput(args, file, rc)) return rc;
  DeviceSession s(args);
  if ((rc = s.Connect()) != kOk) return rc;
  CSettingsDoc& p = s.Engine().Params();
  p.Replace(file);
  if (!Cleared(s.Session().CheckProgram(), args.force)) return kRefused;
  Outcome o;
  int written = RS_LEN_EXE;
  if (args.changedOnly && p.UnitValid()) {
    p.MarkDifferencesFromUnit();
    written = CountDifferences(p.Unit(), p.Edited());
    o = s.Run(RequestProgramChangedOp, Operation::Program, kOperationSeconds, "Program");
  } else {
    o = s.Run(RequestProgramOp, Operation::Program, kOperationSeconds, "Program");
  }
  if (o.result == Result::VersionMismatch) return kMismatch;
  if (!Succeeded(o.result) || !s.WaitSaved(kSavingSeconds)) return kFailed;
  std::printf("program: %d %sbyte%s written to COM%d and read back; the unit has saved them\n", written,
              written == RS_LEN_EXE ? "" : "changed ", written == 1 ? "" : "s",
              s.Engine().Com().ActiveLink().port);
  return kOk;
}

int CmdReset(const Args& args) {
  DeviceSession s(args);
  if (int rc = s.Connect(); rc != kOk) return rc;
  CCommMachine& m = s.Engine().Machine();
  m.RequestReset();
  const bool sent =
      s.TickUntil([&] { return m.PendingRequest() == Request::None && m.State() == CommState::Reset; }, 5) &&
      s.TickUntil([&] { return m.Idle() || s.Engine().Com().ConnectedPort() == 0; }, 10);
  if (!sent || !m.Idle()) {
    std::fprintf(stderr, "ignctl: the reset was not confirmed\n");
    return kFailed;
  }
  return kOk;
}

}  // namespace ign::cli
