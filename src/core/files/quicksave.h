#pragma once
// The "Quicksave version" name rule: bike.ign with bike_001.ign and
// bike_007.ign beside it gives bike_008.ign.
#include <string>
#include <vector>

namespace ign {

// The number a quick-saved copy carries: after the last "_" of name, zeros
// skipped, the digits that follow; -1 when there are none.
int QuicksaveNumber(const std::string& name);

// The next name for current among the file names present in its folder
// (names only, without folder). Empty when the file name has no ".".
std::string NextQuicksaveName(const std::string& current, const std::vector<std::string>& present);

// The same, listing the folder of current.
std::string NextQuicksaveName(const std::string& current);

}  // namespace ign
