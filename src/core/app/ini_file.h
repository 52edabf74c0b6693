#pragma once
// A small INI file: "[section]" lines and "key=value" lines, read leniently and
// written with CR LF line ends. Section and key names match without regard to
// ASCII case; values are 8-bit text kept as they stand (surrounding blanks cut).
// Sections and keys keep their order, so a rewrite changes only what was set.
#include <string>
#include <string_view>
#include <vector>

namespace ign {

class CIniFile {
 public:
  // Parses text; anything that is neither a section line nor a key line is
  // skipped, so a damaged or truncated file yields what it still holds.
  void Parse(std::string_view text);
  // Loads a file; a missing file gives an empty INI and false.
  bool Load(const std::string& path);
  std::string Serialise() const;
  // Writes through a temporary file renamed over the old one.
  bool Save(const std::string& path) const;

  bool HasKey(std::string_view section, std::string_view key) const;
  std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
  // Leading decimal number of the value (optional sign); def when the key is
  // missing or its value does not start with a number.
  int ReadInteger(std::string_view section, std::string_view key, int def) const;

  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int value);
  void DeleteKey(std::string_view section, std::string_view key);

 private:
  struct Entry {
    std::string key;
    std::string value;
  };
  struct Section {
    std::string name;
    std::vector<Entry> entries;
  };
  const Entry* Find(std::string_view section, std::string_view key) const;
  Section& SectionFor(std::string_view section);

  std::vector<Section> sections_;
};

}  // namespace ign
