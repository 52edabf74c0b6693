#pragma once
// The fixed search table, the model table and the identification of a unit
// from its answer to a probe.
#include <cstdint>
#include <string>

namespace ign {

struct SearchRow {
  int type;  // Proto::*; 0 ends the table
  int baud;
  int timeout;  // ms: the wait for an answer and the codec's gap limit
};

constexpr int kSearchRows = 15;
// The table with its free rows filled with the preferred protocol.
const SearchRow& SearchTableRow(int row);

struct ModelRow {
  int key;
  const char* name;
};
// Rows of the model table up to (not including) the closing key 0.
int ModelCount();
const ModelRow& Model(int index);

struct UnitIdentity {
  std::string name;
  int hardwareId = -1;
  int key = -1;
  int maxFrameLen = 0;
  int frameOverhead = 0;
};

// A short-family answer (first byte 0xB0) to a probe of the given type.
UnitIdentity IdentifyShort(int type, const uint8_t* frame);
// The data of a header-family answer (command 0xFEEE, positive marker).
UnitIdentity IdentifyHeader(const uint8_t* data, int dataLen);

}  // namespace ign
