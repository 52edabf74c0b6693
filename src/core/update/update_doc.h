#pragma once
// The update description: a small XML-like document read by plain substring
// search, not by an XML parser. Only this program's product section counts;
// in it, the recommendation that applies to the program date and carries the
// greatest update number is chosen.
//
//   <product class="QUNTAR6" key="108">
//     <recommendation update_number="7" from="2023_01_01" to="2024_01_01">
//       <english>...</english> <czech>...</czech>
//       <web>...</web> <web_cz>...</web_cz> <download>...</download>
//     </recommendation>
//   </product>
//
// The document is 8-bit Windows-1250 text and is read up to its first NUL;
// the element texts come out as UTF-8.
#include <optional>
#include <string>
#include <string_view>

namespace ign {

constexpr std::size_t kUpdateDateChars = 11;      // from and to are cut to this
constexpr std::size_t kUpdateAddressChars = 249;  // web and download addresses are cut to this
constexpr const char* kUpdateFromDefault = "0000_00_00";
constexpr const char* kUpdateToDefault = "9999_99_99";

struct UpdateEntry {
  int number = 0;  // missing or unreadable: 0
  std::string from = kUpdateFromDefault;
  std::string to = kUpdateToDefault;
  // Element texts in UTF-8; absent when the element is missing or unclosed.
  std::optional<std::string> czech, english, webCz, web, download;
};

// The opening tag of the product section for a product class and key.
std::string ProductTag(const char* productClass, int key);

// The chosen recommendation of this program's section (class "QUNTAR6",
// key 108): among those with from <= programDate < to (compared byte by
// byte), the one with the greatest number, the first among equal numbers.
// Nothing when the section, its end or a matching recommendation is missing.
std::optional<UpdateEntry> ChooseUpdate(std::string_view document, std::string_view programDate);

// The same for any product class and key.
std::optional<UpdateEntry> ChooseUpdateFor(std::string_view document, std::string_view programDate,
                                           const char* productClass, int key);

}  // namespace ign
