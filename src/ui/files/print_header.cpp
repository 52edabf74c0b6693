#include "ui/files/print_header.h"

namespace ign {

namespace {

std::string WithoutAccelerator(const std::string& caption) {
  std::string out;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') out += caption[++i];
      continue;
    }
    out += caption[i];
  }
  return out;
}

}  // namespace

std::string HeaderLine(const PrintHeader& h) {
  std::string line;
  for (const std::string& part : {WithoutAccelerator(h.page), h.file, h.when, h.version, h.unit}) {
    if (part.empty()) continue;
    if (!line.empty()) line += " | ";
    line += part;
  }
  return line;
}

}  // namespace ign
