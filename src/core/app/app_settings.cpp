#include "core/app/app_settings.h"

#include <cstdint>
#include <cstdio>

#include "core/app/recent_files.h"
#include "core/text/codepage.h"
#include "core/text/utf8.h"

namespace ign {

namespace {

// UTF-8 to UTF-16 code units; a malformed byte stands for itself (Latin-1).
std::u16string ToUtf16(const std::string& s) {
  std::u16string out;
  for (size_t i = 0; i < s.size();) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    uint32_t cp = c;
    size_t len = 1;
    if (c >= 0xC0 && c < 0xE0) {
      len = 2;
      cp = c & 0x1F;
    } else if (c >= 0xE0 && c < 0xF0) {
      len = 3;
      cp = c & 0x0F;
    } else if (c >= 0xF0 && c < 0xF5) {
      len = 4;
      cp = c & 0x07;
    }
    bool ok = len == 1 ? c < 0x80 : i + len <= s.size();
    for (size_t k = 1; ok && k < len; ++k) {
      unsigned char cc = static_cast<unsigned char>(s[i + k]);
      if ((cc & 0xC0) != 0x80) ok = false;
      cp = (cp << 6) | (cc & 0x3F);
    }
    if (!ok) {
      out += char16_t(c);
      ++i;
      continue;
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += char16_t(0xD800 + (cp >> 10));
      out += char16_t(0xDC00 + (cp & 0x3FF));
    } else {
      out += char16_t(cp);
    }
    i += len;
  }
  return out;
}

std::string FromUtf16(const std::u16string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    uint32_t u = s[i];
    if (u >= 0xD800 && u < 0xDC00 && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] < 0xE000) {
      AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (s[i + 1] - 0xDC00u));
      ++i;
    } else if (u >= 0xD800 && u < 0xE000) {
      AppendUtf8(out, 0xFFFD);  // a lone half of a pair
    } else {
      AppendUtf8(out, u);
    }
  }
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string EscapeIniName(const std::string& utf8) {
  std::string out;
  std::u16string units = ToUtf16(utf8);
  // Control characters, and blanks at either end, would not survive the INI
  // line; they go escaped, which every reader decodes.
  auto plainAt = [&](size_t i) {
    const char16_t u = units[i];
    return u < 0x100 && u >= 0x20 && !(u == ' ' && (i == 0 || i + 1 == units.size()));
  };
  for (size_t i = 0; i < units.size(); ++i) {
    char16_t u = units[i];
    bool plain = plainAt(i);
    // "X:" before an escape would read back as an old unescaped path.
    if (i == 1 && u == ':' && i + 1 < units.size() && !plainAt(i + 1)) plain = false;
    if (plain) {
      if (u == '\\') out += '\\';
      out += char(u);
    } else {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%04X", unsigned(u));
      out += buf;
    }
  }
  return out;
}

bool LooksLikeOldPath(const std::string& s) {
  // The character after the prefix must not be a backslash; an escaped text
  // always has one there, so the end of the text counts as "not a backslash".
  auto notBackslashAt = [&](size_t i) { return i >= s.size() || s[i] != '\\'; };
  if (s.size() >= 2 && s[0] == '\\' && s[1] == '\\' && notBackslashAt(2)) return true;
  if (s.size() >= 3 && s[1] == ':' && s[2] == '\\' && notBackslashAt(3)) return true;
  return false;
}

std::string UnescapeIniName(const std::string& s) {
  if (LooksLikeOldPath(s)) return Cp1250ToUtf8(s);
  std::u16string units;
  for (size_t i = 0; i < s.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    if (c != '\\') {
      units += char16_t(c);
      continue;
    }
    if (i + 1 < s.size() && s[i + 1] == '\\') {
      units += u'\\';
      ++i;
      continue;
    }
    // "\x" and four hex digits (the letter after the backslash is not checked).
    if (i + 5 >= s.size()) break;
    int value = 0;
    bool ok = true;
    for (size_t k = 2; k < 6; ++k) {
      int d = HexDigit(s[i + k]);
      if (d < 0) ok = false;
      value = value * 16 + d;
    }
    if (!ok) break;
    units += char16_t(value);
    i += 5;
  }
  return FromUtf16(units);
}

void ReadAppSettingsFrom(const CIniFile& ini, AppSettings& s) {
  const char* sec = kAppSection;
  s.left = ini.ReadInteger(sec, "Left", s.left);
  s.top = ini.ReadInteger(sec, "Top", s.top);
  s.height = ini.ReadInteger(sec, "Height", s.height);
  s.width = ini.ReadInteger(sec, "Width", s.width);
  s.newInstal = ini.ReadInteger(sec, "NEWINSTAL", 1);
  s.comPort = ini.ReadInteger(sec, "ComPort", 0);
  s.comPortAuto = ini.ReadInteger(sec, "ComPortAuto", s.comPortAuto);
  s.comRows = ini.ReadString(sec, "ComPortRows", s.comRows);
  s.language = ini.ReadInteger(sec, "Language", s.language);
  s.file = UnescapeIniName(ini.ReadString(sec, "File", ""));
  s.iniFileDir =
      ini.HasKey(sec, "IniFileDir") ? UnescapeIniName(ini.ReadString(sec, "IniFileDir", "")) : s.file;
  s.activePage = ini.ReadInteger(sec, "PageControl1->ActivePageIndex", s.activePage);
  s.monitorPlayer = ini.ReadInteger(sec, "MONITORPLAYER", 0);
  s.history.clear();
  for (int i = 0; i < CRecentFiles::kMaxEntries; ++i) {
    char key[32];
    std::snprintf(key, sizeof key, "MenuHistory%02i", i);
    std::string name = UnescapeIniName(ini.ReadString(sec, key, ""));
    if (name.empty() && i > 0) break;
    s.history.push_back(name);
  }
}

void WriteAppSettingsTo(CIniFile& ini, const AppSettings& s) {
  const char* sec = kAppSection;
  ini.WriteInteger(sec, "Left", s.left);
  ini.WriteInteger(sec, "Top", s.top);
  ini.WriteInteger(sec, "Height", s.height);
  ini.WriteInteger(sec, "Width", s.width);
  ini.WriteInteger(sec, "ComPort", s.comPort);
  ini.WriteInteger(sec, "ComPortAuto", s.comPortAuto);
  ini.WriteString(sec, "ComPortRows", s.comRows);
  ini.WriteInteger(sec, "Language", s.language);
  ini.WriteString(sec, "File", EscapeIniName(s.file));
  ini.WriteString(sec, "IniFileDir", EscapeIniName(s.iniFileDir));
  ini.WriteInteger(sec, "PageControl1->ActivePageIndex", s.activePage);
  ini.WriteInteger(sec, "NEWINSTAL", s.newInstal);
  ini.WriteInteger(sec, "MONITORPLAYER", s.monitorPlayer);
  for (int i = 0; i < CRecentFiles::kMaxEntries; ++i) {
    char key[32];
    std::snprintf(key, sizeof key, "MenuHistory%02i", i);
    if (size_t(i) < s.history.size())
      ini.WriteString(sec, key, EscapeIniName(s.history[size_t(i)]));
    else
      ini.DeleteKey(sec, key);
  }
}

bool LoadAppSettings(const std::string& path, AppSettings& s) {
  CIniFile ini;
  bool found = ini.Load(path);
  ReadAppSettingsFrom(ini, s);
  return found;
}

bool SaveAppSettings(const std::string& path, const AppSettings& s) {
  CIniFile ini;
  ini.Load(path);
  WriteAppSettingsTo(ini, s);
  return ini.Save(path);
}

}  // namespace ign
