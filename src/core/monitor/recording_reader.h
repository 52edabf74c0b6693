#pragma once
// Reading a recording: the whole file is checked before anything of it is
// used, and never read past its end. A damaged or foreign file gives an
// error and nothing else.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/monitor/recording_format.h"

namespace ign {

struct RecordEntry {
  uint32_t offset = 0;  // in the record data
  uint16_t length = 0;
  uint8_t type = 0;
  uint32_t timeMs = 0;
};

struct Recording {
  RecordingHeader header;
  int headerLength = 0;
  int initialCount = 0;
  std::vector<RecordEntry> records;
  std::vector<uint8_t> data;

  // The payload of record i (after its 8 bytes).
  std::span<const uint8_t> Payload(int i) const;
  int CountOfType(int type) const;
};

enum class RecordingError {
  None,
  Open,          // cannot be read
  Truncated,     // shorter than its header says
  HeaderLength,  // not 12256 or 12256 + 2 x records
  Key,           // another program's key
  Counts,        // record counts out of range
  DataSize,      // the data size does not match the file
  Offset,        // a record outside the data
  RecordLength,  // a record shorter than 8 bytes or of the wrong length for its type
};

struct RecordingLoad {
  std::optional<Recording> recording;
  RecordingError error = RecordingError::None;
  std::string detail;  // the file name and what was found
};

RecordingLoad ParseRecording(std::span<const uint8_t> bytes);
RecordingLoad ReadRecording(const std::string& path);

// The message for a failed load, in the current language.
std::string RecordingErrorMessage(const RecordingLoad& load);

}  // namespace ign
