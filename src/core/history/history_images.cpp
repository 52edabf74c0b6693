#include "core/history/history_images.h"

#include <zlib.h>

namespace ign {

uint32_t ImageChecksum(const Image& image) {
  return uint32_t(crc32(crc32(0L, Z_NULL, 0), image.data(), RS_LEN_EXE));
}

std::vector<uint8_t> PackImage(const Image& image) {
  uLongf length = compressBound(RS_LEN_EXE);
  std::vector<uint8_t> packed(length);
  if (compress2(packed.data(), &length, image.data(), RS_LEN_EXE, Z_BEST_COMPRESSION) != Z_OK) return {};
  packed.resize(length);
  return packed;
}

std::optional<Image> UnpackImage(const std::vector<uint8_t>& packed) {
  Image image{};
  // One byte of room more than an image: a longer stream shows as too long.
  std::vector<uint8_t> out(RS_LEN_EXE + 1);
  uLongf length = uLongf(out.size());
  const int rc = uncompress(out.data(), &length, packed.data(), uLong(packed.size()));
  if (rc != Z_OK || length != uLongf(RS_LEN_EXE)) return std::nullopt;
  std::copy(out.begin(), out.begin() + RS_LEN_EXE, image.begin());
  return image;
}

}  // namespace ign
