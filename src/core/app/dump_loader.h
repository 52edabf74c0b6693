#pragma once
// Loading a parameter image from a binary memory dump of a unit: a copy
// starts at a byte offset that the developer gives as "0x%x".
#include <cstdint>
#include <optional>
#include <string>

#include "core/params/image.h"

namespace ign {

constexpr int kDumpCopies = 4;
constexpr uint32_t kDumpCopyStride = 1152;

// The offset of copy k (0..3): k * 1152 + 1, as "0x%x".
std::string DumpCopyOffsetText(int copy);

// "0x" followed by hex digits only (and nothing else); nullopt otherwise.
std::optional<uint32_t> ParseDumpOffset(const std::string& text);

struct DumpRead {
  bool opened = false;
  size_t bytesRead = 0;  // of the image's 1050 bytes
  bool Complete() const { return bytesRead == size_t(RS_LEN_EXE); }
};

// Reads 1050 bytes at offset into image; image changes only when all were read.
DumpRead LoadDump(const std::string& path, uint32_t offset, Image& image);

}  // namespace ign
