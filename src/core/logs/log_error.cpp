#include "core/logs/log_error.h"

#include <cstdio>

#include "core/text/lngstr.h"

namespace ign {

namespace {

const char* FaultText(LogFault f) {
  switch (f) {
    case LogFault::Open:
      return "###The file cannot be read##Die Datei kann nicht gelesen werden##Soubor nelze přečíst";
    case LogFault::Empty:
      return "###The file holds no header line##Die Datei hat keine Kopfzeile##Soubor nemá řádek záhlaví";
    case LogFault::NoData:
      return "###The file holds no values besides its header and time##Die Datei enthält keine Werte außer "
             "Kopfzeile und Zeit##Soubor neobsahuje žádné hodnoty kromě záhlaví a času";
    case LogFault::NotText:
      return "###Binary data, not a text log##Binärdaten, kein Text-Protokoll##Binární data, ne textový "
             "záznam";
    case LogFault::FieldCount:
      return "###The line has another number of fields than the header##Die Zeile hat eine andere Anzahl "
             "Felder "
             "als die Kopfzeile##Řádek má jiný počet polí než záhlaví";
    case LogFault::Number: return "###Not a number##Keine Zahl##Není číslo";
    case LogFault::Time:
      return "###Not a time, or a time before the line above##Keine Zeit, oder eine Zeit vor der Zeile "
             "darüber"
             "##Není čas, nebo čas před řádkem nad ním";
    case LogFault::Texts:
      return "###Too many different texts in one column##Zu viele verschiedene Texte in einer Spalte"
             "##Příliš mnoho různých textů v jednom sloupci";
    case LogFault::NoTime:
      return "###The time column is not in the header##Die Zeitspalte fehlt in der Kopfzeile##Sloupec času "
             "není v záhlaví";
    case LogFault::Recording: return "###Recording##Aufzeichnung##Záznam";
    case LogFault::Cancelled: return "###Reading was stopped##Lesen abgebrochen##Čtení bylo přerušeno";
    case LogFault::TooLarge:
      return "###Too large for the viewer##Zu groß für die Anzeige##Příliš velké pro prohlížeč";
    case LogFault::None: break;
  }
  return "###?##?##?";
}

}  // namespace

std::string LogErrorMessage(const std::string& path, const LogError& e) {
  if (!e) return {};
  std::string where;
  if (e.line > 0) {
    char buf[160];
    if (e.column > 0)
      std::snprintf(buf, sizeof buf,
                    LngStr("###line %ld, column %d##Zeile %ld, Spalte %d##řádek %ld, sloupec %d"), e.line,
                    e.column);
    else
      std::snprintf(buf, sizeof buf, LngStr("###line %ld##Zeile %ld##řádek %ld"), e.line);
    where = std::string(", ") + buf;
  }
  std::string s = path + where + ": " + LngStr(FaultText(e.fault));
  if (!e.detail.empty()) s += " (" + e.detail + ")";
  return s;
}

}  // namespace ign
