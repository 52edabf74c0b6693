#include "core/params/param_diff.h"

#include "core/params/address_map.h"

namespace ign {

std::vector<ParamDifference> DiffImages(const Image& a, const Image& b) {
  std::vector<ParamDifference> out;
  for (const ParamInfo& p : ParamTable())
    for (int i = 0; i < p.count; ++i) {
      const int at = FirstByte(p, i);
      bool differs = a[at] != b[at] || (ByteWidth(p) == 2 && a[at + 1] != b[at + 1]);
      if (differs) out.push_back({p.name, p.firstElement + i, ShownValue(a, p, i), ShownValue(b, p, i)});
    }
  for (int at = 0; at < RS_LEN_EXE; ++at)
    if (!IsNamedByte(at) && a[at] != b[at]) out.push_back({"byte " + std::to_string(at), 0, a[at], b[at]});
  return out;
}

std::string FormatDifference(const ParamDifference& d) {
  std::string s = d.name;
  if (d.name.rfind("byte ", 0) != 0) s += "[" + std::to_string(d.element) + "]";
  return s + ": " + std::to_string(d.a) + " -> " + std::to_string(d.b);
}

}  // namespace ign
