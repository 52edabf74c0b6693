#pragma once
// Settings images as the history keeps them: zlib-packed, each distinct image
// once, found again by its checksum.
#include <cstdint>
#include <optional>
#include <vector>

#include "core/history/history_types.h"

namespace ign {

std::vector<uint8_t> PackImage(const Image& image);
// Nothing when the bytes do not unpack to exactly 1050 bytes.
std::optional<Image> UnpackImage(const std::vector<uint8_t>& packed);

}  // namespace ign
