#include "core/monitor/player_messages.h"

#include <cstdio>

#include "core/text/lngstr.h"

namespace ign {

std::string PlayerMessage(CMonitorPlayer::Event event, const std::string& path) {
  const char* packed = nullptr;
  switch (event) {
    case CMonitorPlayer::Event::CannotWrite:
      packed =
          "###The recording cannot be written:\n%s##Die Aufzeichnung kann nicht geschrieben werden:\n%s"
          "##Záznam nelze zapsat:\n%s";
      break;
    case CMonitorPlayer::Event::Full:
      packed =
          "###The recording has reached its limit of 6000 records or 2,000,000 bytes and has stopped. It is "
          "saved in:\n%s##Die Aufzeichnung hat ihre Grenze von 6000 Einträgen oder 2.000.000 Bytes erreicht "
          "und "
          "wurde beendet. Sie ist gespeichert in:\n%s##Záznam dosáhl svého limitu 6000 záznamů nebo 2 000 "
          "000 "
          "bajtů a byl ukončen. Je uložen v:\n%s";
      break;
    default: return {};
  }
  char buf[1024];
  std::snprintf(buf, sizeof buf, LngStr(packed), path.c_str());
  return buf;
}

}  // namespace ign
