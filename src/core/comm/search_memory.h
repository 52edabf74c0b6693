#pragma once
// The search-table row that last connected on each port, so that the search
// tries it first there the next time. A row is kept by its protocol and baud
// rate, not by its place in the table, as text of "port:protocol:baud" entries
// that the application settings and ignctl's state file store.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/comm/comm_const.h"

namespace ign {

class CSearchMemory {
 public:
  CSearchMemory() { rows_.fill(-1); }

  // The table row remembered for the port, or -1.
  int RowFor(int port) const;
  // Ports outside 1..255 and rows that are not probes of the table are ignored.
  void Remember(int port, int row);
  void Clear() { rows_.fill(-1); }

  // "1:3300:115200,4:3150:57600", ports ascending; empty when nothing is kept.
  std::string ToText() const;
  // Takes the entries of ToText's form over what is kept; entries that do not
  // name a port 1..255 and a protocol and baud rate of the table are skipped.
  void FromText(std::string_view text);

 private:
  std::array<int8_t, kPortCount> rows_{};
};

}  // namespace ign
