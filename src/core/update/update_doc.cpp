#include "core/update/update_doc.h"

#include <climits>
#include <cstdio>

#include "core/base/settings_dir.h"
#include "core/text/codepage.h"

namespace ign {

namespace {

constexpr std::string_view kRecommendation = "<recommendation";
constexpr std::string_view kRecommendationEnd = "</recommendation>";
constexpr std::string_view kProductEnd = "</product>";

// The text after `name="` up to the next double quote (or the end of attrs).
std::optional<std::string_view> QuotedAttribute(std::string_view attrs, std::string_view name) {
  const std::size_t at = attrs.find(name);
  if (at == std::string_view::npos) return std::nullopt;
  std::string_view rest = attrs.substr(at + name.size());
  const std::size_t quote = rest.find('"');
  return rest.substr(0, quote);
}

// A leading decimal number with an optional sign, clamped to int; 0 when
// there is none.
int ParseNumber(std::string_view text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > INT_MAX) value = INT_MAX;
  }
  return int(negative ? -value : value);
}

std::string_view DateAttribute(std::string_view attrs, std::string_view name, const char* missing) {
  std::optional<std::string_view> v = QuotedAttribute(attrs, name);
  if (!v || v->empty()) return missing;
  return v->substr(0, kUpdateDateChars);
}

// "<tag>" ... "</tag>" inside body, still in the document's code page.
std::optional<std::string_view> Element(std::string_view body, std::string_view tag) {
  const std::string open = "<" + std::string(tag) + ">";
  const std::string close = "</" + std::string(tag) + ">";
  const std::size_t start = body.find(open);
  if (start == std::string_view::npos) return std::nullopt;
  const std::size_t textStart = start + open.size();
  const std::size_t end = body.find(close, textStart);
  if (end == std::string_view::npos) return std::nullopt;
  return body.substr(textStart, end - textStart);
}

std::optional<std::string> Text(std::string_view body, std::string_view tag, std::size_t limit) {
  std::optional<std::string_view> raw = Element(body, tag);
  if (!raw) return std::nullopt;
  return Cp1250ToUtf8(raw->substr(0, limit));
}

struct Candidate {
  int number = 0;
  std::string_view from, to;  // into the document or the defaults
  std::string_view body;
};

}  // namespace

std::string ProductTag(const char* productClass, int key) {
  char buf[160];
  std::snprintf(buf, sizeof buf, "<product class=\"%s\" key=\"%i\">", productClass, key);
  return buf;
}

std::optional<UpdateEntry> ChooseUpdate(std::string_view document, std::string_view programDate) {
  return ChooseUpdateFor(document, programDate, kProductCode, kProgramVersion);
}

std::optional<UpdateEntry> ChooseUpdateFor(std::string_view document, std::string_view programDate,
                                           const char* productClass, int key) {
  document = document.substr(0, document.find('\0'));
  const std::string tag = ProductTag(productClass, key);
  const std::size_t begin = document.find(tag);
  if (begin == std::string_view::npos) return std::nullopt;
  const std::size_t sectionStart = begin + tag.size();
  const std::size_t sectionEnd = document.find(kProductEnd, sectionStart);
  if (sectionEnd == std::string_view::npos) return std::nullopt;
  const std::string_view section = document.substr(sectionStart, sectionEnd - sectionStart);

  std::optional<Candidate> chosen;
  std::size_t pos = 0;
  for (;;) {
    const std::size_t open = section.find(kRecommendation, pos);
    if (open == std::string_view::npos) break;
    const std::size_t attrsStart = open + kRecommendation.size();
    const std::size_t gt = section.find('>', attrsStart);
    if (gt == std::string_view::npos) break;  // an unfinished last recommendation ends the walk
    const std::size_t close = section.find(kRecommendationEnd, gt + 1);
    if (close == std::string_view::npos) break;
    const std::string_view attrs = section.substr(attrsStart, gt - attrsStart);
    pos = close + kRecommendationEnd.size();

    Candidate c;
    std::optional<std::string_view> number = QuotedAttribute(attrs, "update_number=\"");
    c.number = number ? ParseNumber(*number) : 0;
    c.from = DateAttribute(attrs, "from=\"", kUpdateFromDefault);
    c.to = DateAttribute(attrs, "to=\"", kUpdateToDefault);
    const bool applies = c.from <= programDate && programDate < c.to;
    if (!applies) continue;
    if (!chosen || c.number > chosen->number) {
      c.body = section.substr(gt + 1, close - gt - 1);
      chosen = c;
    }
  }
  if (!chosen) return std::nullopt;

  UpdateEntry e;
  e.number = chosen->number;
  e.from = std::string(chosen->from);
  e.to = std::string(chosen->to);
  e.czech = Text(chosen->body, "czech", std::string_view::npos);
  e.english = Text(chosen->body, "english", std::string_view::npos);
  e.webCz = Text(chosen->body, "web_cz", kUpdateAddressChars);
  e.web = Text(chosen->body, "web", kUpdateAddressChars);
  e.download = Text(chosen->body, "download", kUpdateAddressChars);
  return e;
}

}  // namespace ign
