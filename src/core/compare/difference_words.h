#pragma once
// Two settings images compared in the tuner's words: each differing
// parameter by its page and caption with the shown values and units on both
// sides ("Limiter [rpm]: 11,000 → 11,500"), a map cell by its map, load and
// rpm point ("Advance 1 at 85 kPa / 6,000 rpm: 23° → 25°"). The window's
// difference view and ignctl diff print the same lines.
#include <string>
#include <vector>

#include "core/params/image.h"

namespace ign {

// The pages in the order the window shows them, and one for the bytes that
// no page edits.
enum class DiffPage { Miscellaneous, Bike, Sensors, AdvanceMap, PowerOut, Servo, Test, Other };

// The maps a difference can lie in, as the map editors show them.
enum class MapKind { None, Advance1, Advance2, Servo, PwmOut1, PwmOut2, SwitchOut1, SwitchOut2 };

// Where in a map: a cell (column and row), an rpm point (row -1) or a load
// point (column -1).
struct MapPlace {
  MapKind map = MapKind::None;
  int column = -1;
  int row = -1;
};

struct DifferenceLine {
  DiffPage page = DiffPage::Other;
  std::string caption;        // in the current language
  std::string before, after;  // shown values with their units
  MapPlace place;
  std::string name;  // the parameter's name in the address map ("byte <n>" for an unnamed byte)
  int element = 0;
};

// The differences from a to b, by page; within a page in address order. The
// axis points of a map cell are named from b. Map columns past the used
// count of both images (copies of the last used column) are left out.
std::vector<DifferenceLine> DescribeDifferences(const Image& a, const Image& b);

// "caption: before → after"
std::string DifferenceText(const DifferenceLine& line);
// The page's title in the current language.
std::string PageTitle(DiffPage page);
// Every line under its page's title, one line each, indented; the count last.
std::string DifferenceReport(const std::vector<DifferenceLine>& lines);
// "1 difference", "3 differences" in the current language.
std::string DifferenceCount(size_t count);

// A map as a table of words: its rpm points across, its load points down,
// each cell's shown value; the map editors' layout in text.
struct MapGrid {
  std::string title;
  std::vector<std::string> columns;  // rpm points in use
  std::vector<std::string> rows;     // load points
  std::vector<std::string> cells;    // row by row, columns.size() a row
};
// The map as img holds it (an empty grid for a map that has no cells).
MapGrid GridOf(MapKind map, const Image& img);
// The maps with cells the lines lie in, in map order.
std::vector<MapKind> MapsOf(const std::vector<DifferenceLine>& lines);

// A whole number as the pages show it: groups of three digits separated by
// the current language's separator (English ",", German ".", Czech a blank).
std::string GroupedNumber(long value);

}  // namespace ign
