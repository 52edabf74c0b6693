#pragma once
// A reader for the rich text of update offers, turned into HTML for a text
// view: paragraphs, line breaks, bold, italic, underline, font size, colours
// from the colour table, \'xx as Windows-1250 and \uN. Tables, pictures,
// fonts, styles and every other destination are skipped; control words it
// does not know are dropped and their text kept. Unbalanced braces are
// tolerated. The input is UTF-8 (the document was converted on arrival).
#include <string>
#include <string_view>

namespace ign {

// Groups deeper than this keep the formatting of the deepest kept group.
constexpr int kRtfMaxDepth = 200;

std::string RtfToHtml(std::string_view rtf);

// The plain text of the same reading (paragraphs and line breaks as '\n').
std::string RtfToPlainText(std::string_view rtf);

}  // namespace ign
