#include "core/history/history_images.h"

#include <zlib.h>

namespace ign {

uint32_t ImageChecksum(const Image& image) {
  return uint32_t(crc32(crc32(0L, Z_NULL, 0), image.data(), RS_LEN_EXE));
}

// A window just larger than an image and a small hash: the packer's state is
// a few kilobytes instead of the quarter megabyte of zlib's defaults, which
// every entry would otherwise allocate and give back.
constexpr int kWindowBits = 11, kMemLevel = 2;

std::vector<uint8_t> PackImage(const Image& image) {
  z_stream z{};
  if (deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, kWindowBits, kMemLevel, Z_DEFAULT_STRATEGY) != Z_OK)
    return {};
  std::vector<uint8_t> packed(deflateBound(&z, RS_LEN_EXE));
  z.next_in = const_cast<Bytef*>(image.data());
  z.avail_in = RS_LEN_EXE;
  z.next_out = packed.data();
  z.avail_out = uInt(packed.size());
  const int rc = deflate(&z, Z_FINISH);
  packed.resize(z.total_out);
  deflateEnd(&z);
  return rc == Z_STREAM_END ? packed : std::vector<uint8_t>();
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
