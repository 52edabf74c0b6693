#include "core/update/update_offer.h"

#include <cstdio>

#include "core/base/settings_dir.h"
#include "core/text/language.h"

namespace ign {

namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    if (c != prefix[i]) return false;
  }
  return true;
}

std::string_view Trim(std::string_view s) {
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

std::string Address(const std::optional<std::string>& element) {
  if (!element) return {};
  std::string_view a = Trim(*element);
  return IsWebAddress(a) ? std::string(a) : std::string();
}

}  // namespace

bool IsWebAddress(std::string_view address) {
  std::size_t hostStart = 0;
  if (StartsWithNoCase(address, "https://"))
    hostStart = 8;
  else if (StartsWithNoCase(address, "http://"))
    hostStart = 7;
  else
    return false;
  for (char c : address)
    if (static_cast<unsigned char>(c) <= 0x20 || c == 0x7F) return false;
  // A host must follow the scheme.
  return hostStart < address.size() && address[hostStart] != '/' && address[hostStart] != '?' &&
         address[hostStart] != '#';
}

std::optional<UpdateOffer> DecideOffer(const UpdateEntry& entry, int language, int dismissed) {
  if (dismissed >= entry.number) return std::nullopt;
  const bool czech = language == LNG_CESKY;
  UpdateOffer o;
  o.number = entry.number;
  if (czech && entry.czech) {
    o.text = *entry.czech;
  } else if (entry.english) {
    o.text = *entry.english;
  } else {
    char buf[96];
    std::snprintf(buf, sizeof buf, "Kardomex patch %s Key=%i Ver=%i", kProductCode, kProgramVersion,
                  entry.number);
    o.text = buf;
  }
  if (o.text.size() > kMaxOfferTextBytes) {
    std::size_t cut = kMaxOfferTextBytes;
    while (cut > 0 && (static_cast<unsigned char>(o.text[cut]) & 0xC0) == 0x80) --cut;
    o.text.resize(cut);
  }
  o.rtf = o.text.find("{\\rtf1") != std::string::npos;
  o.web = czech ? Address(entry.webCz) : std::string();
  if (o.web.empty()) o.web = Address(entry.web);
  o.download = Address(entry.download);
  return o;
}

const char* DownloadNoteCaption() { return "###Downloading####Stahování"; }

const char* DownloadNoteText(std::string_view downloadAddress) {
  if (downloadAddress.find("setup") != std::string_view::npos)
    return "###After downloading run new installer.####Po stažení spusťte nový instalátor.";
  return "###After downloading store new version to suitable location instead of current version.####"
         "Po stažení novou verzi uložte do vhodné lokace namísto stávající verze.";
}

const char* TryingUpdatesText() { return "###Trying updates...####Zjišťuji aktualizace..."; }

const char* HelpLinkPath(HelpLink link, int language) {
  const bool czech = language == LNG_CESKY;
  if (link == HelpLink::Download) return czech ? "/cz/stahnout/upload" : "/en/stahnout/upload";
  return czech ? "/cz/stahnout/manuals" : "/en/stahnout/manuals";
}

std::string HelpLinkAddress(std::string_view webBase, HelpLink link, int language) {
  webBase = Trim(webBase);
  if (StartsWithNoCase(webBase, "https://"))
    webBase.remove_prefix(8);
  else if (StartsWithNoCase(webBase, "http://"))
    webBase.remove_prefix(7);
  while (!webBase.empty() && webBase.back() == '/') webBase.remove_suffix(1);
  if (webBase.empty()) return {};
  return "https://" + std::string(webBase) + HelpLinkPath(link, language);
}

const char* OpenLinkFailedText() {
  return "###Error by opening www link##Fehler beim Öffnen des www-Links##Chyba při otevírání www odkazu";
}

}  // namespace ign
