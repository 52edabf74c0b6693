#include "core/app/dump_loader.h"

#include <array>
#include <cctype>
#include <cstdio>
#include <fstream>

namespace ign {

std::string DumpCopyOffsetText(int copy) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%x", unsigned(copy) * kDumpCopyStride + 1);
  return text;
}

std::optional<uint32_t> ParseDumpOffset(const std::string& text) {
  if (text.size() < 3 || text.size() > 10 || text.compare(0, 2, "0x") != 0) return std::nullopt;
  uint32_t value = 0;
  for (size_t i = 2; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (!std::isxdigit(c)) return std::nullopt;
    value = value * 16 + uint32_t(std::isdigit(c) ? c - '0' : std::tolower(c) - 'a' + 10);
  }
  return value;
}

DumpRead LoadDump(const std::string& path, uint32_t offset, Image& image) {
  DumpRead result;
  std::ifstream in(path, std::ios::binary);
  if (!in) return result;
  result.opened = true;
  std::array<char, RS_LEN_EXE> bytes{};
  if (!in.seekg(std::streamoff(offset))) return result;
  in.read(bytes.data(), bytes.size());
  result.bytesRead = size_t(in.gcount());
  if (result.Complete()) std::copy(bytes.begin(), bytes.end(), image.begin());
  return result;
}

}  // namespace ign
