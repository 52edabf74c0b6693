#pragma once
// The words of each named parameter: on which page it is, what its caption
// is in the current language (from the page's caption table where the page
// has one), and how a value of it reads.
#include <string>

#include "core/compare/difference_words.h"
#include "core/params/address_map.h"

namespace ign {

struct ParamWords {
  DiffPage page = DiffPage::Other;
  std::string caption;
};

// The words of element i (0-based within the address map's entry) of p. A
// map cell is named by its place (difference_words.cpp), not here.
ParamWords WordsOf(const ParamInfo& p, int i);

// Every entry of the address map has its words, in the map's order.
bool RulesFollowAddressMap();

// A value of element i of p in img, with its unit.
std::string ValueWords(const ParamInfo& p, int i, const Image& img);

}  // namespace ign
