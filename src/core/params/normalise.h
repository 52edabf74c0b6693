#pragma once
// Clamps and orders the whole image into a sound state.
#include "core/params/image.h"

namespace ign {

// Application values kept sound together with the image; any pointer may be null.
struct NormaliseAppState {
  int* language = nullptr;        // 0 English, 1 German, 2 Czech
  int* configuredPort = nullptr;  // -1 search off, 0 automatic, 1..255
  int* nextPort = nullptr;        // next port the search tries, 1..255
};

void NormaliseImage(Image& img, const NormaliseAppState& app = {});

}  // namespace ign
