#pragma once
// The port hand-over messages between the bootloader side and a running
// ignset: (port, code) pairs over a local socket, one line each.
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

}  // namespace ign
