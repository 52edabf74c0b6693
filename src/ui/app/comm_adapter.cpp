#include "ui/app/comm_adapter.h"

#include <cstdlib>

#include "core/comm/comm_const.h"

namespace ign {

TCommAdapter::TCommAdapter(ParamState& params, IStatus& status)
    : params_(params), status_(status), link_(com_), machine_(link_, params, status, *this) {
  com_.SetProgramKey(kProgramKey & 0xFF, kProgramKey >> 8);
  com_.SetStatus(&status);
  com_.EnumeratePorts();
}

TCommAdapter::~TCommAdapter() { com_.StopThreads(); }

bool TCommAdapter::PortPresent(int port) const { return port >= 0 && port <= 255 && com_.IsPresent(port); }

std::string TCommAdapter::PortDevice(int port) const {
  // Links of a port folder are named after their number already.
  if (const char* dir = std::getenv("IGN_PORT_DIR"); dir && *dir) return {};
  std::string path = com_.DevicePathOf(port);
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

void TCommAdapter::DropLink() {
  com_.CloseLink();
  if (com_.Enabled())
    status_.ShowStatus(Slot::Connection, CommText::NoConnection, -1, Colour::Black, Colour::Red, -5);
  params_.unitValid = false;
  CompareImages(params_, status_);
  ResetUnitInfo();
}

}  // namespace ign
