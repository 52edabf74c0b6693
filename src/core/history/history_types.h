#pragma once
// What the unit history keeps: one entry per Read, Program and Verify that
// found differences, each with the unit it was made on and the settings
// images of the event.
#include <cstdint>
#include <optional>
#include <string>

#include "core/params/image.h"

namespace ign {

enum class HistoryEvent : int { Read = 1, Program = 2, Verify = 3 };

enum class HistoryResult : int {
  Ok = 0,         // done as asked
  Corrected = 1,  // Read: the settings read needed correcting
  Different = 2,  // Verify: the unit holds other settings; Program: read back differs
  Failed = 3,     // Program: the unit stopped answering or went away part way
};

// An entry as it is added.
struct HistoryRecord {
  int64_t time = 0;  // seconds since 1970 (UTC)
  HistoryEvent event = HistoryEvent::Read;
  HistoryResult result = HistoryResult::Ok;
  std::string identity;  // the unit's serial text, else its name with production date and time
  std::string unitName;
  std::string version;  // the unit's program version text
  std::string owner;
  std::string file;  // the settings file in use
  int changed = 0;   // parameters that differ between the two images (or from the unit before a read)
  // What the unit held: the image read (Read), the image a Program replaced,
  // the unit's image a Verify compared.
  std::optional<Image> held;
  // What it was given or compared with: the image programmed, the editor's
  // settings of a Verify. None for a Read.
  std::optional<Image> given;
  std::string note;
};

// An entry as it is listed: its images by checksum only; a list leaves the
// version and owner texts empty (the entry itself has them).
struct HistoryRow {
  int64_t id = 0;
  int64_t unitId = 0;
  std::string identity;
  int64_t time = 0;
  HistoryEvent event = HistoryEvent::Read;
  HistoryResult result = HistoryResult::Ok;
  std::string unitName, version, owner, file, note;
  int changed = 0;
  std::optional<uint32_t> heldCrc, givenCrc;
};

// An entry with its images.
struct HistoryEntry {
  HistoryRow row;
  std::optional<Image> held, given;
};

struct HistoryUnit {
  int64_t id = 0;
  std::string identity;
  std::string name;
  int64_t lastSeen = 0;
  int entries = 0;
};

struct HistorySettings {
  static constexpr int kDefaultLimit = 10000;
  static constexpr int kMinimumLimit = 10;
  bool enabled = true;
  int limit = kDefaultLimit;  // entries kept; the oldest go past it, never a unit's newest
};

// Why the store could not do what it was asked.
enum class StoreFailure {
  None,
  NoFolder,  // the folder cannot be created or written
  Damaged,   // the file is not a sound database (it has been moved aside)
  Busy,      // another program holds the database longer than the wait
  Full,      // the disk is full
  ReadOnly,  // the file or its folder may not be written
  Other,
};

struct StoreStatus {
  StoreFailure failure = StoreFailure::None;
  std::string detail;      // SQLite's or the system's words, for the trace
  std::string movedAside;  // a damaged file was kept under this name and a new store begun
  bool Ok() const { return failure == StoreFailure::None; }
};

// The CRC-32 of the 1050 bytes of an image: how lists tell images apart.
uint32_t ImageChecksum(const Image& image);

}  // namespace ign
