#include "core/files/ign_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "core/files/ign_format.h"
#include "core/files/ign_keywords.h"
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
  while ((token = in.NextToken())) {
    if (*token == "VERSIONS") {
      // The unit texts that follow may hold any word; none of them is a keyword.
      in.SkipPastLineStarting("EXE");
      continue;
    }
    ReadKeyword(*token, c);
  }
  if (!c.map2Read) CopyMap1ToMap2(img);

  result.status = IgnReadStatus::Accepted;
  result.bikeSection = c.bikeSection;
  result.map2Read = c.map2Read;
  return result;
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
