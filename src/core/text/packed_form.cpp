#include "core/text/packed_form.h"

#include <cstdio>
#include <cstring>
#include <string_view>

#include "core/text/language.h"
#include "core/text/message_box.h"

namespace ign {

namespace {

bool IsTrailingSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

PackedForm Malformed(std::string report) {
  PackedForm form;
  form.kind = PackedForm::Kind::Malformed;
  form.report = std::move(report);
  return form;
}

// Cuts trailing white space but always keeps the first byte of a non-empty field.
std::string CutTrailingSpace(std::string_view field) {
  std::size_t keep = field.size();
  while (keep > 1 && IsTrailingSpace(field[keep - 1])) --keep;
  return std::string(field.substr(0, keep));
}

}  // namespace

PackedForm ParsePacked(const char* text) {
  if (!text || text[0] != '#') return PackedForm{};
  const std::string_view s(text);
  if (s[1] != '#') {
    const int count = static_cast<unsigned char>(s.size() > 1 ? s[1] : 0);
    char buf[96];
    std::snprintf(buf, sizeof buf, "Chybny pocet jazykovych mutaci (%i > %i || %i==0) !\n ", count, 3, count);
    return Malformed(buf);
  }
  if (s[2] != '#') return Malformed("Chybi ### na zacatku v jazykovem retezci !\n" + std::string(s));

  PackedForm form;
  form.kind = PackedForm::Kind::Fields;
  std::size_t start = 3;
  for (int n = 1; n <= 3; ++n) {
    form.count = n;
    const std::size_t sep = s.find("##", start);
    if (sep == std::string_view::npos) {
      // The last field runs to the end of the string, white space and all.
      form.fields[n - 1] = std::string(s.substr(start));
      break;
    }
    const std::size_t length = sep - start;
    if (length > kMaxPackedField) {
      return Malformed("Prilis dlouha jazykova mutace (>255 chars) !\n" + std::string(s));
    }
    form.fields[n - 1] = CutTrailingSpace(s.substr(start, length));
    start = sep + 2;
  }
  for (int language = 0; language < 3; ++language) {
    const bool own = language < form.count && !form.fields[language].empty() && form.fields[language] != "..";
    form.shown[language] = own ? language : LNG_ENGLISH;
  }
  return form;
}

int ResolveLanguage(int language) {
  if (language == LNG_CURRENT) return CurrentLanguage();
  if (language < LNG_ENGLISH || language > LNG_CESKY) return LNG_ENGLISH;
  return language;
}

const char* ShowPacked(const PackedForm& form, const char* original, int language) {
  switch (form.kind) {
    case PackedForm::Kind::Plain: return original;
    case PackedForm::Kind::Malformed: MessageBox().ShowMessage(form.report); return original;
    case PackedForm::Kind::Fields: break;
  }
  return form.fields[form.shown[ResolveLanguage(language)]].c_str();
}

}  // namespace ign
