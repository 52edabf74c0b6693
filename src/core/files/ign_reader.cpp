#include "core/files/ign_reader.h"
#include "core/base/format.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <unordered_map>

#include "core/files/ign_format.h"
#include "core/files/ign_keywords.h"
#include "core/files/ign_writer.h"
#include "core/text/lngstr.h"
#include "core/text/messages.h"

namespace ign {
namespace {

namespace Msgs {
constexpr int OlderVersion = 35, UnmatchedVersion = 36, CrossTransformation = 37;
}

struct VersionRule {
  bool accepted = false;
  bool cross = false;
  int family = IgnFamily::Own;
};

VersionRule RuleFor(int v, bool developerTest) {
  switch (v) {
    case kIgnFileVersion:
    case 93:
    case 95:
    case 97:
    case 98: return {true, false, IgnFamily::Own};
    case 96: return {developerTest, true, IgnFamily::Family0};
    case 104: return {developerTest, true, IgnFamily::Family2};
    case 105: return {developerTest, true, IgnFamily::Family3};
    case 106:
    case 107: return {developerTest, true, IgnFamily::Family4};
    default: return {};
  }
}

void Show(IFileMessages* messages, const IgnReadOptions& o, int entry) {
  if (o.showMessages && messages) messages->ShowMessage(Msg(entry));
}

// Before any value of an older or foreign file is read: start from the
// defaults and clear what such files do not carry.
void PrepareForOlderVersion(Image& img, CDefaults& defaults, const VersionRule& rule) {
  using namespace Adrb;
  if (rule.accepted && (defaults.Selected(Group::Misc) || defaults.Selected(Group::Bike))) {
    if (img[BIKE] != kBikeUserDefined || !defaults.BikeChanged()) defaults.ApplyDefaultValues(img);
    defaults.ApplyBikePreset(img);
  }
  img[RESERVED_389] = 0;
  img[SPECIAL_START_PERC] = 0;
}

void ClearMissingFeatures(Image& img, CDefaults& defaults) {
  using namespace Adrb;
  defaults.SetPowerOutDefaults(img);
  for (int a : {SYNC_POLARITY, PICKUPS_INTERCHANGE, NO_LOBE_CHECK, SPARK_BEFORE_LOBE, SPECIAL_START,
                SPECIAL_DWELL_START, SERVO_NO})
    img[a] = 0;
}

void CopyMap1ToMap2(Image& img) {
  using namespace Adrb;
  for (int r = 0; r < kMapRows; ++r) SetWord(img, Adrw::ADV2_IAP + r, GetWord(img, Adrw::ADV_IAP + r));
  img[ADV2_COLUMNS] = img[ADV_COLUMNS];
  img[ADV2_MAP] = img[ADV_MAP];
  for (int i = 0; i < kMapCells; ++i) img[ADVANCE2 + i] = img[ADVANCE + i];
  for (int c = 0; c < kMapCols; ++c) img[RPM_ADV2 + c] = img[RPM_ADV + c];
}

// The sections every file of a version carries, and which of them a file held.
class CSectionCheck {
 public:
  explicit CSectionCheck(int version) {
    // Only files of this program's version have a known set; older ones differ.
    if (version == kIgnFileVersion) sections_ = IgnWrittenSections();
    seen_.assign(sections_.size(), false);
  }
  void Saw(std::string_view token) {
    if (sections_.empty()) return;
    static const std::unordered_map<std::string_view, size_t> kIndex = [] {
      std::unordered_map<std::string_view, size_t> index;
      const std::span<const std::string_view> all = IgnWrittenSections();
      for (size_t i = 0; i < all.size(); ++i) index.emplace(all[i], i);
      return index;
    }();
    if (auto it = kIndex.find(token); it != kIndex.end()) seen_[it->second] = true;
  }
  std::vector<std::string> Missing() const {
    std::vector<std::string> out;
    for (size_t i = 0; i < sections_.size(); ++i)
      if (!seen_[i]) out.emplace_back(sections_[i]);
    return out;
  }

 private:
  std::span<const std::string_view> sections_;
  std::vector<bool> seen_;
};

enum class Load { Ok, OpenFailed, TooLarge };

Load LoadBounded(const std::string& path, std::string& text) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return Load::OpenFailed;
  struct stat st {};
  Load result = Load::Ok;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
    result = Load::OpenFailed;
  else if (size_t(st.st_size) > kIgnMaxFileSize)
    result = Load::TooLarge;
  else {
    // Read in chunks up to one byte past the limit, so a file that grew meanwhile is still caught.
    char chunk[65536];
    while (text.size() <= kIgnMaxFileSize) {
      const ssize_t n = ::read(fd, chunk, sizeof chunk);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        result = Load::OpenFailed;
        break;
      }
      if (n == 0) break;
      text.append(chunk, size_t(n));
    }
    if (result == Load::Ok && text.size() > kIgnMaxFileSize) result = Load::TooLarge;
  }
  ::close(fd);
  if (result != Load::Ok) text.clear();
  return result;
}

}  // namespace

IgnReadResult ReadSettingsText(std::string_view text, Image& img, CDefaults& defaults,
                               const IgnReadOptions& o, IFileMessages* messages) {
  IgnReadResult result;
  defaults.SetGroupMask(o.group);
  CIgnScanner in(text);

  std::optional<std::string_view> token;
  while ((token = in.NextToken()) && *token != kIgnKey) {
  }
  if (!token) {
    result.status = IgnReadStatus::NoKey;
    return result;
  }
  const std::optional<int> version = in.NextNumber();
  result.version = version.value_or(-1);
  const VersionRule rule = RuleFor(result.version, o.developerTest);
  result.crossTransformation = rule.accepted && rule.cross;

  if (result.version != kIgnFileVersion) {
    PrepareForOlderVersion(img, defaults, rule);
    if (!rule.accepted) {
      Show(messages, o, Msgs::UnmatchedVersion);
      result.status = IgnReadStatus::Unmatched;
      return result;
    }
    Show(messages, o, rule.cross ? Msgs::CrossTransformation : Msgs::OlderVersion);
    ClearMissingFeatures(img, defaults);
  }

  IgnReadContext c{in, img, result.version, rule.family};
  CSectionCheck sections(result.version);
  IgnDamage damage;
  while ((token = in.NextToken())) {
    sections.Saw(*token);
    const size_t start = in.Position() - token->size();
    if (*token == "VERSIONS") {
      // The unit texts that follow may hold any word; none of them is a
      // keyword. The block ends with the "EXE" line.
      if (!in.SkipPastLineStarting("EXE") && damage.cutKeyword.empty()) {
        damage.cutKeyword = *token;
        damage.cutKeywordLine = in.LineAt(start);
      }
      continue;
    }
    const int read = in.NumbersRead(), missing = in.NumbersMissing();
    ReadKeyword(*token, c);
    // Values asked for when the text had none left: the end cut this line short.
    if (in.NumbersMissing() > missing && damage.cutKeyword.empty()) {
      damage.cutKeyword = *token;
      damage.cutKeywordLine = in.LineAt(start);
      damage.valuesRead = in.NumbersRead() - read;
      damage.valuesExpected = damage.valuesRead + in.NumbersMissing() - missing;
    }
  }
  if (!c.map2Read) CopyMap1ToMap2(img);

  result.status = IgnReadStatus::Accepted;
  result.bikeSection = c.bikeSection;
  result.map2Read = c.map2Read;
  damage.missing = sections.Missing();
  if (!damage.cutKeyword.empty() || !damage.missing.empty()) {
    damage.endLine = in.LastLine();
    result.damage = std::move(damage);
  }
  return result;
}

std::string IgnDamageMessage(const IgnDamage& d, const std::string& fileName) {
  std::string out = Format(LngStr("###The settings file \"%s\" is incomplete; it was probably cut off.##Die "
                                  "Kenndatendatei \"%s\" ist unvollständig; sie wurde wohl abgeschnitten.##"
                                  "Soubor s parametry \"%s\" je neúplný; byl nejspíš useknut."),
                           fileName.c_str(), fileName.c_str(), fileName.c_str());
  out += '\n';
  if (d.cutKeyword.empty()) {
    out += Format(LngStr("###It ends in line %i.##Sie endet in Zeile %i.##Končí na řádku %i."), d.endLine);
  } else if (d.valuesExpected > 0) {
    out += Format(LngStr("###It ends in line %i, inside \"%s\" (line %i): %i of %i values.##Sie endet in "
                         "Zeile %i, in \"%s\" (Zeile %i): %i von %i Werten.##Končí na řádku %i uvnitř "
                         "\"%s\" (řádek %i): %i z %i hodnot."),
                  d.endLine, d.cutKeyword.c_str(), d.cutKeywordLine, d.valuesRead, d.valuesExpected);
  } else {
    out += Format(LngStr("###It ends in line %i, inside \"%s\" (line %i).##Sie endet in Zeile %i, in \"%s\" "
                         "(Zeile %i).##Končí na řádku %i uvnitř \"%s\" (řádek %i)."),
                  d.endLine, d.cutKeyword.c_str(), d.cutKeywordLine);
  }
  if (!d.missing.empty()) {
    constexpr size_t kNamed = 12;  // the rest is counted
    std::string names;
    for (size_t i = 0; i < d.missing.size() && i < kNamed; ++i) names += (i ? ", " : "") + d.missing[i];
    if (d.missing.size() > kNamed)
      names += " " +
               Format(LngStr("###and %i more##und %i weitere##a dalších %i"), int(d.missing.size() - kNamed));
    out += '\n';
    out += Format(LngStr("###Missing: %s.##Es fehlen: %s.##Chybí: %s."), names.c_str());
  }
  out += '\n';
  out += LngStr(
      "###Settings the file does not hold have their default or previous values.##Einstellungen, "
      "die die Datei nicht enthält, haben ihre Standard- oder bisherigen Werte.##Parametry, které "
      "soubor neobsahuje, mají výchozí nebo dosavadní hodnoty.");
  return out;
}

IgnReadResult ReadSettingsFile(const std::string& path, Image& img, CDefaults& defaults,
                               const IgnReadOptions& o, IFileMessages* messages) {
  std::string text;
  switch (LoadBounded(path, text)) {
    case Load::OpenFailed: return {};
    case Load::TooLarge: {
      IgnReadResult r;
      r.status = IgnReadStatus::TooLarge;
      return r;
    }
    case Load::Ok: break;
  }
  return ReadSettingsText(text, img, defaults, o, messages);
}

}  // namespace ign
