#pragma once
// Fuzz body of the CSV log reader: arbitrary bytes as a CSV file. A file it
// accepts must be consistent (every channel one value per row, time never
// falling) and survive the summary, the plot reduction and a tidy CSV that
// reads back with the same rows; a refused one must name its fault.
#include <cstddef>
#include <cstdint>

namespace ign::fuzz {

int CsvLogReader(const uint8_t* data, size_t size);

}  // namespace ign::fuzz
