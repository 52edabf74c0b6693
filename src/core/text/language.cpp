#include "core/text/language.h"

#include <atomic>

namespace ign {

namespace {
// Written on the GUI thread only; atomic so that a stray read from another
// thread is still well defined.
std::atomic<int> g_language{LNG_ENGLISH};

bool IsLanguage(int language) { return language >= LNG_ENGLISH && language <= LNG_CESKY; }
}  // namespace

int CurrentLanguage() { return g_language.load(std::memory_order_relaxed); }

void SetLanguage(int language) {
  g_language.store(IsLanguage(language) ? language : LNG_ENGLISH, std::memory_order_relaxed);
}

int LanguageToSettings(int language) {
  switch (language) {
    case LNG_DEUTSCH: return 1;
    case LNG_CESKY: return 3;
    default: return 0;
  }
}

int LanguageFromSettings(int stored) {
  switch (stored) {
    case 0: return LNG_ENGLISH;
    case 1: return LNG_DEUTSCH;
    case 3: return LNG_CESKY;
    default: return -1;
  }
}

int LanguageFromArgument(std::string_view word) {
  if (word == "ENGLISH") return LNG_ENGLISH;
  if (word == "DEUTSCH") return LNG_DEUTSCH;
  if (word == "CESKY") return LNG_CESKY;
  return -1;
}

}  // namespace ign
