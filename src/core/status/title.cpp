#include "core/status/title.h"

#include <string_view>

#include "core/text/lngstr.h"
#include "core/text/utf8.h"

namespace ign {

namespace {
constexpr const char* kGap = "       ";  // seven blanks between the pieces

// The name after the last path separator; both kinds count, since names of
// logs started on either system may reach here.
std::string_view BaseName(std::string_view path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}
}  // namespace

std::string ComposeTitle(const TitleState& state, int language) {
  std::string t = "  ";
  t += title::kProductCode;
  t += " (v" + std::to_string(title::kProgramKey) + ")";
  if (state.saved) {
    t += kGap;
    t += state.fileName;
  }
  if (state.csvRunning) {
    const std::string piece =
        std::string(kGap) + "(CSV output: " + std::string(BaseName(state.csvFileName)) + ")      ";
    t += TruncateToCharacters(piece, title::kMaxCsvPiece);
  }
  if (state.linkDisabled) {
    if (!state.saved) t += kGap;
    t += LngStr(title::kBootloaderText, language);
  }
  return t;
}

}  // namespace ign
