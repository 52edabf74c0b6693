#include "core/comm/search_memory.h"

#include <charconv>

#include "core/base/format.h"
#include "core/comm/search_table.h"

namespace ign {

namespace {

bool ProbeRow(int row) { return row >= 0 && row < kSearchRows && SearchTableRow(row).type != 0; }

// The first row of the table that probes with this protocol at this baud rate, or -1.
int RowOf(int type, int baud) {
  for (int row = 0; ProbeRow(row); ++row)
    if (SearchTableRow(row).type == type && SearchTableRow(row).baud == baud) return row;
  return -1;
}

// Reads a decimal number ending at one of the stop characters or the end; moves at past it.
bool Number(std::string_view text, size_t& at, int& value) {
  const char* begin = text.data() + at;
  const auto [end, error] = std::from_chars(begin, text.data() + text.size(), value);
  if (error != std::errc() || end == begin) return false;
  at += size_t(end - begin);
  return true;
}

bool Expect(std::string_view text, size_t& at, char c) {
  if (at >= text.size() || text[at] != c) return false;
  ++at;
  return true;
}

}  // namespace

int CSearchMemory::RowFor(int port) const {
  return port >= 1 && port <= kMaxPortNumber ? rows_[size_t(port)] : -1;
}

void CSearchMemory::Remember(int port, int row) {
  if (port >= 1 && port <= kMaxPortNumber && ProbeRow(row)) rows_[size_t(port)] = int8_t(row);
}

std::string CSearchMemory::ToText() const {
  std::string text;
  for (int port = 1; port <= kMaxPortNumber; ++port) {
    const int row = rows_[size_t(port)];
    if (row < 0) continue;
    if (!text.empty()) text += ',';
    text += Format("%i:%i:%i", port, SearchTableRow(row).type, SearchTableRow(row).baud);
  }
  return text;
}

void CSearchMemory::FromText(std::string_view text) {
  size_t at = 0;
  while (at < text.size()) {
    int port = 0, type = 0, baud = 0;
    const bool read = Number(text, at, port) && Expect(text, at, ':') && Number(text, at, type) &&
                      Expect(text, at, ':') && Number(text, at, baud) &&
                      (at == text.size() || text[at] == ',');
    if (read) Remember(port, RowOf(type, baud));
    // On to the next entry, whatever this one was.
    while (at < text.size() && text[at] != ',') ++at;
    ++at;
  }
}

}  // namespace ign
