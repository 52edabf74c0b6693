#include "core/mapedit/texts.h"

#include "core/text/lngstr.h"

namespace ign {

std::string Shown(std::string_view packed) {
  if (packed.empty() || packed.front() != '#') return std::string(packed);
  const CPackedText text(std::string(packed).c_str());
  return text.Resolve();
}

}  // namespace ign
