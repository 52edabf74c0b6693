#pragma once
// Map hit counts: the time the engine spent in each cell of a map, by the
// live-cell rule of the map editor (engine speed against the rpm points,
// load against the load points, the sheet in force). Time spent where the
// rule finds no cell of the map (below the first rpm point of an advance
// map, the other advance map in force, a load type the map does not read)
// is kept apart; time with the engine stopped counts nowhere.
#include <array>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/logs/log_model.h"
#include "core/logs/map_grid.h"
#include "core/mapedit/live.h"

namespace ign {

// The live values of one reading, as the map editors get them: throttle is
// the load with a throttle sensor and 100 otherwise, pressure the load with
// a pressure sensor and -1 otherwise; the status carries the map in force and
// 0x30 for a pressure sensor.
LiveValues LiveOfReading(int rpm, int load, int sensor, bool secondMap);

class CHitCounter {
 public:
  CHitCounter(const CSheet& sheet, int sheetIndex);

  // The live cell of a reading: the same as ComputeLiveCell on the sheet.
  LiveCell CellOf(const LiveValues& live) const;
  // One reading standing for a time.
  void Add(const LiveValues& live, double seconds);
  void Clear();

  // Seconds by the sheet's cell index (row pitch 50).
  double Seconds(int column, int row) const { return cells_[size_t(CSheet::CellIndex(column, row))]; }
  const std::array<double, kMaxCells>& Cells() const { return cells_; }
  double Counted() const { return counted_; }      // in a cell of the map
  double Elsewhere() const { return elsewhere_; }  // engine running, no cell of this map
  const CSheet& Sheet() const { return sheet_; }
  int SheetIndex() const { return sheetIndex_; }

 private:
  int Column(int32_t rpm) const;
  int Row(const LiveValues& live) const;
  int State(uint32_t status) const;

  CSheet sheet_;
  int sheetIndex_;
  std::vector<int8_t> columnOfRpm_;  // rpm 0..65535
  std::vector<int8_t> rowOfLoad_;    // the Y unit's live value 0..65535 ("IAP": -1 .. 65534 shifted by one)
  bool pressureAxis_ = false;
  mutable std::unordered_map<uint32_t, int> stateOfStatus_;
  std::array<double, kMaxCells> cells_{};
  double counted_ = 0, elsewhere_ = 0;
};

// A map's counts as a table: the columns and rows the editor shows (the
// collapsed one alone on a collapsed axis) with their axis values.
struct HitTable {
  HitMap map = HitMap::Advance1;
  std::vector<int32_t> rpm;     // display rpm of each column
  std::vector<int32_t> load;    // display load of each row; empty for an rpm-only map (one row)
  std::string loadUnit;         // "TP" or "IAP"
  std::vector<double> seconds;  // row by row
  double counted = 0, elsewhere = 0;
  int Columns() const { return int(rpm.size()); }
  int Rows() const { return load.empty() ? 1 : int(load.size()); }
  double At(int row, int column) const { return seconds[size_t(row * Columns() + column)]; }
};
HitTable TableOf(const CHitCounter& counter, HitMap map);

// Counts the rows of a log between two times into the counter: each row
// stands for the time until the next row (cut at the range's ends). The
// load sensor comes from the log's LOAD_SENSOR channel, else from
// sensorFallback (the settings' load sensor). False with a message when the
// log has no engine speed.
bool CountLogHits(const CLog& log, double from, double to, int sensorFallback, CHitCounter& counter,
                  std::string& message);

// The hits CSV: a first line of an empty corner and the rpm points, then a
// line per load point beginning with that point (one line beginning with an
// empty field for an rpm-only map), each cell the seconds spent there;
// comma-separated, decimal point, lines ended by a line feed.
std::string HitTableCsv(const HitTable& table);
// The same as aligned text for a terminal, and tab-separated for the clipboard.
std::string HitTableText(const HitTable& table);
std::string HitTableTabs(const HitTable& table);

}  // namespace ign
