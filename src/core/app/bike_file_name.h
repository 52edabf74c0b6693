#pragma once
// The settings-file names of the preset bikes: the bike's list text in the
// current language, made fit for a file name.
#include <string>
#include <string_view>
#include <vector>

namespace ign {

// Single blanks stay; a blank after a blank is dropped, and a digit right
// after dropped blanks gets "(" in front; trailing blanks are cut; ")" is
// appended when a "(" went in. "/" and control characters become "_".
// "3 Zylinder   1 Geber" -> "3 Zylinder (1 Geber)".
std::string BikeFileName(std::string_view text);

// The text of the bike list item that carries bike as its value, in the
// current language; "Bike %i" for a value no item carries.
std::string BikeItemText(int bike);

// The file names (without folder and extension) of bikes 0..count-1; a name
// that an earlier bike already has gets " (2)", " (3)" ... appended.
std::vector<std::string> BikeFileNames(int count);

}  // namespace ign
