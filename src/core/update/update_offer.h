#pragma once
// What the offer dialog shows for a chosen recommendation, and the texts and
// addresses around it (the help links, the note after a download).
#include <optional>
#include <string>
#include <string_view>

#include "core/update/update_doc.h"

namespace ign {

// Offer texts longer than this are cut (at a character boundary): the view
// of a hostile document must stay quick to fill.
constexpr std::size_t kMaxOfferTextBytes = 256 * 1024;

struct UpdateOffer {
  int number = 0;
  std::string text;      // UTF-8
  bool rtf = false;      // the text holds "{\rtf1"
  std::string web;       // empty: the web button is hidden
  std::string download;  // empty: the download button is hidden
};

// The offer in the given language (0 English, 1 German, 2 Czech), or nothing
// when the dismissed number is not below the chosen one. Addresses that are
// not http or https count as missing.
std::optional<UpdateOffer> DecideOffer(const UpdateEntry& entry, int language, int dismissed);

// An address the program may hand to the browser: http:// or https:// (any
// case) with a host, and no blanks or control characters.
bool IsWebAddress(std::string_view address);

// The caption and the packed text of the note shown after a download was
// handed to the browser: an installer ("setup" in the address) or a program
// to put in place of this one.
const char* DownloadNoteCaption();
const char* DownloadNoteText(std::string_view downloadAddress);

// The packed status text while the description is fetched.
const char* TryingUpdatesText();

enum class HelpLink { Download, Manuals };

// The path on the web host for a help link in a language.
const char* HelpLinkPath(HelpLink link, int language);
// "https://" + host + path; webBase may carry a scheme (it is replaced by
// https) and a trailing slash. Empty when webBase names no host.
std::string HelpLinkAddress(std::string_view webBase, HelpLink link, int language);
// The packed message shown with the address when a link cannot be opened.
const char* OpenLinkFailedText();

}  // namespace ign
