#include "core/app/bike_file_name.h"

#include <map>

#include "core/params/bike_lists.h"
#include "core/text/lngstr.h"

namespace ign {

std::string BikeFileName(std::string_view text) {
  std::string out;
  bool dropped = false;  // blanks were dropped just before this character
  bool opened = false;   // a "(" went in
  for (char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == ' ') {
      if (!out.empty() && out.back() == ' ') {
        dropped = true;
        continue;
      }
      out += ' ';
      continue;
    }
    if (dropped && c >= '0' && c <= '9') {
      out += '(';
      opened = true;
    }
    dropped = false;
    out += (c == '/' || c < 0x20 || c == 0x7F) ? '_' : ch;
  }
  while (!out.empty() && out.back() == ' ') out.pop_back();
  if (opened) out += ')';
  return out;
}

std::string BikeItemText(int bike) {
  for (const ListItem& item : BikeItems())
    if (item.value == bike) return LngStr(item.text);
  return "Bike " + std::to_string(bike);
}

std::vector<std::string> BikeFileNames(int count) {
  std::vector<std::string> names;
  std::map<std::string, int> seen;
  for (int bike = 0; bike < count; ++bike) {
    std::string name = BikeFileName(BikeItemText(bike));
    if (name.empty()) name = "Bike " + std::to_string(bike);
    const int n = ++seen[name];
    if (n > 1) name += " (" + std::to_string(n) + ")";
    names.push_back(std::move(name));
  }
  return names;
}

}  // namespace ign
