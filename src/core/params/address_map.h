#pragma once
// The named parameters of the image: area, address, element count, encoding
// and page group. One table serves the comparison by name, the consistency
// check and the tools that list parameters.
#include <span>
#include <string>
#include <vector>

#include "core/params/image.h"

namespace ign {

enum class Area { Word, Byte };

struct ParamInfo {
  const char* name;
  Area area;
  int address;  // word index or byte offset of element firstElement
  int count;    // consecutive elements
  bool isSigned;
  int scale;
  int offset;
  int group;         // page group 0..9, -1 for none
  int firstElement;  // element index of the first element here (DWELL continues at 185)
};

std::span<const ParamInfo> ParamTable();
const ParamInfo* FindParam(const std::string& name);

// Byte offsets covered by the word area element of a parameter.
inline int FirstByte(const ParamInfo& p, int i) {
  return p.area == Area::Word ? 2 * (p.address + i) : p.address + i;
}
inline int ByteWidth(const ParamInfo& p) { return p.area == Area::Word ? 2 : 1; }

// Shown value of element i (0-based within this entry).
int ShownValue(const Image& img, const ParamInfo& p, int i);

// True for every byte that belongs to a named parameter.
bool IsNamedByte(int offset);

// Number of the page group a byte belongs to, or -1.
int GroupOfByte(int offset);

// The start-up consistency check: one message for every table that does not
// fit its room. Empty when the layout is sound.
struct LayoutExtents {
  int lastWordEnd;       // one past the last word address
  int wordRoom;          // 70
  int lastByteEnd;       // one past the last byte/table address
  int byteRoom;          // 1050
  int gapBytesToTables;  // first table byte minus one past the last byte parameter
  int monitorWordEnd, monitorWordRoom;
  int monitorByteEnd, monitorByteRoom;
  std::vector<std::pair<const char*, int>> bitFields;  // name, width in bits
  int imageLen, commBuf;
};
LayoutExtents CurrentLayout();
std::vector<std::string> ConsistencyMessages(const LayoutExtents& layout);

}  // namespace ign
