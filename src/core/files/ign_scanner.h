#pragma once
// Cursor over the text of a settings file. Tokens are runs of characters
// between blanks, tabs, carriage returns and line feeds; a run that reaches
// the end of the text without a separator is not a token. Numbers are read
// on their own: everything up to the next digit (or minus sign before a digit)
// is skipped and the number is taken as "%i" reads it: decimal, octal after a
// leading 0 (010 is 8), hexadecimal after 0x.
#include <optional>
#include <string>
#include <string_view>

namespace ign {

class CIgnScanner {
 public:
  explicit CIgnScanner(std::string_view text) : text_(text) {}

  std::optional<std::string_view> NextToken();
  // Nothing when no number is left. Values beyond +-1e9 are cut to that.
  std::optional<int> NextNumber();

  // Moves the cursor past the end of the first line after it that starts with
  // prefix; false (cursor unchanged) when there is none.
  bool SkipPastLineStarting(std::string_view prefix);

  // Numbers read so far, and numbers asked for when none was left.
  int NumbersRead() const { return numbersRead_; }
  int NumbersMissing() const { return numbersMissing_; }
  size_t Position() const { return pos_; }
  // The 1-based line of a position (CR LF, LF and CR each end a line).
  int LineAt(size_t position) const;
  // The line of the last character that is not a separator (1 for a blank text).
  int LastLine() const;

 private:
  std::string_view text_;
  size_t pos_ = 0;
  int numbersRead_ = 0;
  int numbersMissing_ = 0;
  // A prefix found on no line after some position is on no line after any
  // later one: remembered so that repeated searches stay linear.
  std::string missingPrefix_;
  bool prefixMissing_ = false;
};

}  // namespace ign
