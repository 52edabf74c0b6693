#include "core/text/lngstr.h"

#include <cstring>
#include <unordered_map>

namespace ign {

namespace {

struct CacheEntry {
  std::string original;  // the bytes parsed, to notice a reused address
  PackedForm form;
};

std::unordered_map<const char*, CacheEntry>& Cache() {
  static std::unordered_map<const char*, CacheEntry> cache;
  return cache;
}

std::size_t g_parseCount = 0;

PackedForm Parse(const char* text) {
  ++g_parseCount;
  return ParsePacked(text);
}

}  // namespace

const char* LngStr(const char* packed) { return LngStr(packed, LNG_CURRENT); }

const char* LngStr(const char* packed, int language) {
  if (!packed || packed[0] != '#') return packed;
  auto& cache = Cache();
  auto it = cache.find(packed);
  if (it == cache.end()) {
    it = cache.emplace(packed, CacheEntry{packed, Parse(packed)}).first;
  } else if (std::strcmp(it->second.original.c_str(), packed) != 0) {
    // The address now holds another string (a freed buffer reused): parse anew.
    it->second.original = packed;
    it->second.form = Parse(packed);
  }
  return ShowPacked(it->second.form, packed, language);
}

const char* CPackedText::Resolve(int language) const {
  if (!form_) form_ = Parse(text_.c_str());
  return ShowPacked(*form_, text_.c_str(), language);
}

namespace detail {
std::size_t PackedParseCount() { return g_parseCount; }
}  // namespace detail

}  // namespace ign
