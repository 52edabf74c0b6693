#include "core/device/com_link.h"

namespace ign {

std::vector<int> CComLink::SearchPorts() const {
  std::vector<int> ports;
  for (int slot = 0; slot < kSearchSlots; ++slot)
    if (int port = com_.SlotPort(slot); port > 0) ports.push_back(port);
  return ports;
}

}  // namespace ign
