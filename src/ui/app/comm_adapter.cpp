#include "ui/app/comm_adapter.h"

#include <cstdlib>

namespace ign {

TCommAdapter::TCommAdapter() : comm_(std::make_unique<CCOMIOSYS>()) { comm_->EnumeratePorts(); }

TCommAdapter::~TCommAdapter() = default;

bool TCommAdapter::PortPresent(int port) const { return port >= 0 && port <= 255 && comm_->IsPresent(port); }

std::string TCommAdapter::PortDevice(int port) const {
  // Links of a port folder are named after their number already.
  if (const char* dir = std::getenv("IGN_PORT_DIR"); dir && *dir) return {};
  std::string path = comm_->DevicePathOf(port);
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

void TCommAdapter::DropLink() {
  unitConnected_ = false;
  connectedPort_ = 0;
}

void TCommAdapter::Trace(const char* text) { comm_->TraceLine(text); }

}  // namespace ign
