// The update offer over the main window: a Czech rich-text offer and an
// English plain one.
#include <memory>
#include <string>

#include "core/text/language.h"
#include "core/text/relabel.h"
#include "tests/shots/shots.h"
#include "ui/app/main_form.h"
#include "ui/update/update_check.h"

namespace ign::shots {

namespace {

std::string Document(const std::string& body) {
  return "<product class=\"QUNTAR6\" key=\"108\"><recommendation update_number=\"9\">" + body +
         "<web>https://example.test/en/news</web><web_cz>https://example.test/cz/novinky</web_cz>"
         "<download>https://example.test/ign_setup_109.exe</"
         "download>"
         "</recommendation></product>";
}

// The Czech text as the maker's editor writes it: Windows-1250 escapes and
// \u words, a font and a colour table, bold, italic and a larger heading.
const char* const kCzechRtf =
    "<czech>{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset238 Tahoma;}}"
    "{\\colortbl ;\\red192\\green0\\blue0;\\red0\\green0\\blue128;}"
    "\\viewkind4\\uc1\\pard\\f0\\fs28\\b Nov\\'e1 verze programu 109\\b0\\fs20\\par\\par "
    "\\cf2 Co je nov\\'e9ho:\\cf0\\par "
    "\\bullet  rychlej\\'9a\\'ed \\u269?ten\\'ed a programov\\'e1n\\'ed jednotky\\par "
    "\\bullet  nov\\'e1 mapa p\\'f8edstihu pro \\i IAP\\i0  senzor\\par "
    "\\bullet  opravy p\\u345?ekladu\\par\\par "
    "\\cf1\\b Upozorn\\u283?n\\'ed:\\b0\\cf0  p\\'f8ed aktualizac\\'ed ulo\\'9ete nastaven\\'ed do "
    "souboru.\\par}"
    "</czech>";

const char* const kEnglish =
    "<english>Version 109 of the program is available.\n\n"
    "What is new:\n"
    "  - faster reading and programming of the unit\n"
    "  - a new advance map for the IAP sensor\n"
    "  - translation fixes\n\n"
    "Please save your settings to a file before you update.</english>";

int OfferShot(const QString& dir, const char* name, int language, const std::string& doc) {
  Sandbox box;
  ::setenv("IGN_NO_UPDATE_CHECK", "1", 1);
  SetLanguage(language);
  auto form = std::make_unique<TMainForm>(QStringList{"ignset"});
  form->FormCreate();
  form->move(0, 0);
  form->show();
  Settle(300);
  int failed = 0;
  if (!form->UpdateCheck() || !form->UpdateCheck()->OfferDocument(doc)) {
    std::fprintf(stderr, "%s: no offer\n", name);
    ++failed;
  }
  Settle(300);
  failed += !SaveScreen(dir, name);
  form.reset();
  ::unsetenv("IGN_NO_UPDATE_CHECK");
  SetLanguage(LNG_ENGLISH);
  return failed;
}

}  // namespace

int UpdateShots(const QString& dir) {
  int failed = 0;
  failed += OfferShot(dir, "update-offer-czech-rtf", LNG_CESKY, Document(kCzechRtf));
  failed += OfferShot(dir, "update-offer-english", LNG_ENGLISH, Document(kEnglish));
  return failed;
}

}  // namespace ign::shots
