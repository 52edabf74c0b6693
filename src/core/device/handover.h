#pragma once
// The messages a running ignset takes on its local socket, one line each:
// the port hand-over of the bootloader side ((port, code) pairs), and the
// files a second start of ignset hands to the running window.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include "core/base/run_config.h"

namespace ign {

namespace Handover {
constexpr uint32_t Release = 0x7FFFFFA1;   // give the port up
constexpr uint32_t Reset = 0x7FFFFFA2;     // reset the unit, then give the port up
constexpr uint32_t TakeBack = 0x7FFFFFA4;  // the port may be used again
}  // namespace Handover

struct HandoverMessage {
  int port = 0;
  uint32_t code = 0;
};

// Socket path: IGN_HANDOVER_SOCKET, else $XDG_RUNTIME_DIR (or /tmp) plus a
// per-user name.
std::string HandoverSocketPath(const RunConfig& config);
// "<port> <code in hex>\n"
std::string FormatHandover(const HandoverMessage& m);
std::optional<HandoverMessage> ParseHandover(std::string_view line);
// Sends one message; false when no ignset listens or the write fails.
bool SendHandover(const HandoverMessage& m, const std::string& socketPath, std::string* error = nullptr);

// The longest line the running window takes: a path of PATH_MAX and the word.
constexpr size_t kHandoverMaxLine = 4200;

// "OPEN <path>\n": open this settings file or recording. Empty for a path that
// is empty, relative (the running window has another working folder), holds
// a line break or is too long.
std::string FormatOpenFile(const std::string& absolutePath);
// "SHOW\n": a second start without a file; the running window comes to the front.
std::string FormatShowWindow();

struct InstanceRequest {
  enum Kind { Show, Open } kind = Show;
  std::string path;  // for Open
};
std::optional<InstanceRequest> ParseInstanceRequest(std::string_view line);
// Sends one line as it is; false when nobody listens or the write fails.
bool SendHandoverLine(const std::string& line, const std::string& socketPath, std::string* error = nullptr);

}  // namespace ign
