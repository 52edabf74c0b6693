#include "core/comm/port_error.h"

#include <cerrno>
#include <cstring>

#include "core/comm/trace.h"

namespace ign {

namespace {

// strerror_r comes in two flavours; both are handled without caring which one
// the C library gives.
[[maybe_unused]] const char* PickText(int result, const char* buf) { return result == 0 ? buf : nullptr; }
[[maybe_unused]] const char* PickText(const char* result, const char*) { return result; }

}  // namespace

bool IsPermissionError(int error) { return error == EACCES || error == EPERM; }

bool IsInUseError(int error) { return error == EBUSY; }

bool IsAbsentDeviceError(int error) {
  return error == ENOENT || error == ENODEV || error == ENXIO || error == ENOTDIR;
}

const char* const kPortInUseCaption = "###in use##belegt##obsazeno";

std::string SystemErrorText(int error) {
  char buf[128] = {};
  const char* text = PickText(strerror_r(error, buf, sizeof buf), buf);
  if (text && *text) return text;
  return Format("error %i", error);
}

std::string OpenErrorHint(int error) {
  if (IsPermissionError(error)) return "permission denied (add your user to the dialout group)";
  if (IsInUseError(error)) return "in use by another program";
  return SystemErrorText(error);
}

std::string OpenErrorStatusText(int port, int error) {
  if (IsPermissionError(error))
    return Format(
        "###COM %i: permission denied (add your user to the dialout group)"
        "##COM %i: Zugriff verweigert (Benutzer zur Gruppe dialout hinzufügen)"
        "##COM %i: přístup odepřen (přidejte uživatele do skupiny dialout)",
        port, port, port);
  if (IsInUseError(error))
    return Format(
        "###COM %i: in use by another program"
        "##COM %i: von einem anderen Programm belegt"
        "##COM %i: obsazeno jiným programem",
        port, port, port);
  const std::string text = SystemErrorText(error);
  return Format("###COM %i: %s##COM %i: %s##COM %i: %s", port, text.c_str(), port, text.c_str(), port,
                text.c_str());
}

}  // namespace ign
