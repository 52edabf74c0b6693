#pragma once
// The pieces of a CSV line: fields split by a separator (with quoted fields),
// numbers with a decimal point or comma, clock times, and a guess of the
// separator and decimal mark from the first lines of a file.
#include <string_view>
#include <vector>

namespace ign {

struct CsvDialect {
  char separator = ';';
  char decimal = '.';
};

// Splits one line (without its line end) into fields. A field that begins
// with a quote runs to the matching quote (a doubled quote inside stays
// doubled; see UnquotedText); the quotes are not part of the field.
void SplitCsvLine(std::string_view line, char separator, std::vector<std::string_view>& fields);
// A field's text with blanks around it removed.
std::string_view TrimField(std::string_view field);
// A field's text with each doubled quote made single (as a quoted field writes a quote).
std::string UnquotedText(std::string_view field);

// A decimal number with an optional sign, the given decimal mark and an
// optional exponent; blanks around it are allowed. False for anything else.
bool ParseCsvNumber(std::string_view field, char decimal, double& out);
// A clock time h:mm, h:mm:ss or h:mm:ss.fff (a comma also marks the
// fraction) as seconds of the day. False for anything else.
bool ParseClockTime(std::string_view field, double& secondsOfDay);

// The separator most used in the header line outside quotes (';', ',' or a
// tab; ';' on a tie), and the decimal comma when the separator is not a
// comma and a data field reads like 1,5.
CsvDialect GuessCsvDialect(std::string_view header, std::string_view firstData);

}  // namespace ign
