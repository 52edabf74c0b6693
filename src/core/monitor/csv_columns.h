#pragma once
// The 80 columns of the CSV log: which monitor-record field each holds, how
// it is written, its name and its unit.
#include <span>
#include <string>

#include "core/monitor/local_time.h"
#include "core/monitor/record.h"

namespace ign {

// Kinds of a column.
namespace CsvKind {
enum : int {
  // 0..7: that bit of the byte at the index
  HwKey = 240,       // word 73, "0x%x"
  Key = 241,         // bytes 150 and 149, "%i.%i"
  Bike = 242,        // byte 1
  ByteAlso = 252,    // as Byte
  SignedByte = 253,  // the byte, signed
  Word = 254,        // the word at the index, unsigned
  Byte = 255,        // the byte at the index, unsigned
};
}

struct CsvColumn {
  int index;
  int kind;
  const char* name;  // UTF-8
  const char* unit;  // UTF-8
};

constexpr int kCsvColumns = 80;
std::span<const CsvColumn, kCsvColumns> CsvColumnTable();

// Lines 1 and 2 (names and units), each ended by a line feed; UTF-8.
std::string CsvHeaderLines();
// One record line: the time of day and every column, ended by a line feed.
std::string CsvRowText(const MonitorRecord& r, const LocalTime& time);

}  // namespace ign
