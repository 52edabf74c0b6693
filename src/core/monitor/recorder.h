#pragma once
// The recorder's file: records appended in memory, the whole file written
// through a temporary file and a rename (at the end, and whenever the owner
// asks, so a crash loses only what came after the last write).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/monitor/recording_format.h"

namespace ign {

class CRecorder {
 public:
  enum class Append { Ok, Full };

  void Begin(const std::string& path, const RecordingHeader& header);
  // Appends one record with its time. Full: the record would pass 6000
  // records or 2,000,000 data bytes and was not added.
  Append Add(uint8_t type, std::string_view payload, uint32_t timeMs);
  // The records so far are the initial ones.
  void MarkInitial() { initial_ = count_; }
  // Writes the whole file. False: it could not be written (the old file stays).
  bool Save() const;
  // The file as Save writes it.
  std::string FileBytes() const;
  void End();

  bool Active() const { return active_; }
  int Count() const { return count_; }
  int Initial() const { return initial_; }
  uint32_t DataSize() const { return uint32_t(data_.size()); }
  const std::string& Path() const { return path_; }
  const RecordingHeader& Header() const { return header_; }

 private:
  bool active_ = false;
  std::string path_;
  RecordingHeader header_;
  std::vector<uint8_t> data_;
  std::vector<uint32_t> offsets_;
  int count_ = 0;
  int initial_ = 0;
};

}  // namespace ign
