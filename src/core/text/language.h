#pragma once
// The current language: one process-wide index that every text look-up reads.
// It is changed on the GUI thread only (start-up and the Language menu).
#include <string_view>

namespace ign {

constexpr int LNG_ENGLISH = 0;
constexpr int LNG_DEUTSCH = 1;
constexpr int LNG_CESKY = 2;
constexpr int kLanguageCount = 3;
// Passed as a language argument: use the current language.
constexpr int LNG_CURRENT = -1;

int CurrentLanguage();
// Sets the current language only (relabelling is RelabelAll's job). A value
// that is not one of the three languages sets English.
void SetLanguage(int language);

// The application settings store English 0, German 1, Czech 3.
int LanguageToSettings(int language);
// The language for a stored value, or -1 when the value names none (the
// caller then leaves the current language as it is).
int LanguageFromSettings(int stored);
// The language named by a command-line word ("ENGLISH", "DEUTSCH", "CESKY",
// exact case), or -1.
int LanguageFromArgument(std::string_view word);

}  // namespace ign
