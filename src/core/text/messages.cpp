#include "core/text/messages.h"

#include <array>
#include <string>

#include "core/text/language.h"
#include "core/text/message_table.h"
#include "core/text/utf8.h"

namespace ign {

namespace {

constexpr int kTableSize = kLastMsg + 1;

std::array<const char*, kTableSize> g_entries = [] {
  std::array<const char*, kTableSize> a{};
  a.fill("");
  return a;
}();
std::array<std::string, kTableSize> g_owned;  // entries composed at run time

bool InTable(int n) { return n >= kFirstMsg && n <= kLastMsg; }

}  // namespace

const char* Msg(int n) { return InTable(n) ? g_entries[n] : ""; }

const char* MsgIn(int n, int language) {
  for (const MessageTriple& t : MessageTriples()) {
    if (t.n != n) continue;
    if (language == LNG_DEUTSCH && t.german) return t.german;
    return language == LNG_CESKY ? t.czech : t.english;
  }
  return "";
}

void FillMessages() {
  const int language = CurrentLanguage();
  for (const MessageTriple& t : MessageTriples()) {
    const char* texts[3] = {t.english, t.german ? t.german : t.english, t.czech};
    const char* text = texts[language];
    if (t.padTo > 0) {
      g_owned[t.n] = PadToCharacters(text, t.padTo);
      text = g_owned[t.n].c_str();
    }
    g_entries[t.n] = text;
  }
}

void SetMsg(int n, const char* text) {
  if (!InTable(n)) return;
  g_owned[n] = text ? text : "";
  g_entries[n] = g_owned[n].c_str();
}

void ClearMessages() {
  g_entries.fill("");
  for (std::string& s : g_owned) s.clear();
}

}  // namespace ign
