#pragma once
// The caption and hint tables of the main window: for each control (or menu
// item) three separate texts, English, German and Czech. The relabelling
// writes them whenever the language changes:
//   - MenuCaptionRows: the menu captions (and the buttons that repeat a menu
//     command);
//   - HintRows: the hints, each one text for the tool tip and the status bar;
//   - PageTextRows: the captions of the window's own controls and of the
//     controls of each tab page.
// A row is found by the object name of its control. Names that begin with '*'
// are not object names but roles: one text shared by several controls that
// the page labels itself (the labels of both power outputs).
//
// Controls not listed keep the captions of the window layout.
#include <span>
#include <string>
#include <string_view>

#include "core/text/language.h"

namespace ign {

struct CaptionRow {
  const char* name;  // object name of the control, or a '*' role
  const char* english;
  const char* german;  // nullptr: the English text is shown in German too
  const char* czech;
  // A language-neutral piece written after the text (" 1" for the first of
  // four channel boxes, "1 (pin 8)" for the first multifunction input).
  const char* suffix = "";
};

// Where the page texts belong. MainWindow holds the controls outside the tab
// pages; the pages write their own rows once they exist.
enum class CaptionPage {
  MainWindow,
  Miscellaneous,
  Bike,
  Sensors,
  AdvanceMap,
  PowerOut,
  Servo,
  Test,
};
constexpr CaptionPage kAllCaptionPages[] = {
    CaptionPage::MainWindow, CaptionPage::Miscellaneous, CaptionPage::Bike,  CaptionPage::Sensors,
    CaptionPage::AdvanceMap, CaptionPage::PowerOut,      CaptionPage::Servo, CaptionPage::Test,
};

std::span<const CaptionRow> MenuCaptionRows();
std::span<const CaptionRow> HintRows();
std::span<const CaptionRow> PageTextRows(CaptionPage page);

// The text of a row in a language, without its suffix. LNG_CURRENT takes the
// current language; any value other than the three languages reads English.
const char* CaptionText(const CaptionRow& row, int language = LNG_CURRENT);
// The whole caption: the text followed by the suffix.
std::string CaptionWithSuffix(const CaptionRow& row, int language = LNG_CURRENT);

// The row of a name in a table, or nullptr.
const CaptionRow* FindCaptionRow(std::span<const CaptionRow> table, std::string_view name);

// True for a row whose name is a role rather than an object name.
inline bool IsCaptionRole(const CaptionRow& row) { return row.name[0] == '*'; }

}  // namespace ign
