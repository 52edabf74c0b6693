// The offer's rich-text reader: what text comes out and how it is formatted.
#include <gtest/gtest.h>

#include <string>

#include "core/update/rtf_reader.h"

namespace ign {
namespace {

struct RtfCase {
  const char* name;
  std::string rtf;
  std::string plain;  // RtfToPlainText
  std::string html;   // a piece RtfToHtml must contain ("" : none checked)
};

class RtfTable : public ::testing::TestWithParam<RtfCase> {};

TEST_P(RtfTable, ReadsTextAndFormat) {
  const RtfCase& c = GetParam();
  EXPECT_EQ(RtfToPlainText(c.rtf), c.plain);
  if (!c.html.empty()) {
    EXPECT_NE(RtfToHtml(c.rtf).find(c.html), std::string::npos) << RtfToHtml(c.rtf);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Update, RtfTable,
    ::testing::Values(
        RtfCase{"BoldRun", "{\\rtf1 plain \\b bold\\b0  after}", "plain bold after",
                "<span style=\"font-weight:bold;\">bold</span> after"},
        RtfCase{"ItalicAndUnderlineInGroup", "{\\rtf1 a{\\i it{\\ul both}}b}", "aitbothb",
                "<span style=\"font-style:italic;text-decoration:underline;\">both</span>b"},
        RtfCase{"Paragraphs", "{\\rtf1 one\\par two\\line three\\par}", "one\ntwo\nthree\n",
                "<p style=\"margin:0; white-space:pre-wrap\">one</p>"},
        RtfCase{"EmptyParagraphKeepsItsLine", "{\\rtf1 a\\par\\par b}", "a\n\nb",
                "a</p><p style=\"margin:0; white-space:pre-wrap\">&#160;</p>"},
        RtfCase{"FontSize", "{\\rtf1\\fs40 big}", "big", "font-size:20 pt;"},
        RtfCase{"HexIsWindows1250", "{\\rtf1 \\'e8\\'e1st \\'9e}", "část ž", ""},
        RtfCase{"UnicodeSkipsItsStandIn", "{\\rtf1 \\u269?\\u345?eba}", "čřeba", ""},
        RtfCase{"UnicodeWithTwoStandIns", "{\\rtf1\\uc2 \\u269\\'e8\\'e8x}", "čx", ""},
        RtfCase{"NegativeUnicode", "{\\rtf1 \\u-3913?}", "\xEF\x82\xB7", ""},
        RtfCase{"FontAndColourTablesSkipped",
                "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss Tahoma;}{\\f1 Arial;}}"
                "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue128;}\\f0 A \\cf1 red\\cf2  navy}",
                "A red navy", "<span style=\"color:#ff0000;\">red</span>"},
        RtfCase{"StarredDestinationSkipped", "{\\rtf1{\\*\\generator Riched20 10.0;}{\\info{\\title T}}body}",
                "body", ""},
        RtfCase{"UnbalancedBraces", "{\\rtf1 a}}} b{{c", "a bc", ""},
        RtfCase{"EscapedSymbols", "{\\rtf1 \\{x\\} \\\\ <b>&}", "{x} \\ <b>&", "&lt;b&gt;&amp;"},
        RtfCase{"UnknownWordsDropped", "{\\rtf1\\viewkind4\\pard\\sa200\\sl276\\slmult1 Text\\lang1029 more}",
                "Textmore", ""},
        RtfCase{"PlainResets", "{\\rtf1\\b\\i x\\plain y}", "xy", "</span>y"},
        RtfCase{"TruncatedEscape", "{\\rtf1 a\\'e", "a", ""},
        RtfCase{"LineEndsInSourceIgnored", "{\\rtf1 a\r\nb\\\nc}", "ab\nc", ""}),
    [](const ::testing::TestParamInfo<RtfCase>& i) { return std::string(i.param.name); });

TEST(RtfReader, DeepNestingStaysBounded) {
  std::string rtf = "{\\rtf1 ";
  for (int i = 0; i < 100000; ++i) rtf += "{\\b ";
  rtf += "deep";
  for (int i = 0; i < 100000; ++i) rtf += "}";
  rtf += " out}";
  EXPECT_EQ(RtfToPlainText(rtf), "deep out");
  const std::string html = RtfToHtml(rtf);
  EXPECT_NE(html.find(">deep</span> out"), std::string::npos);
}

TEST(RtfReader, NoTextMakesAnEmptyDocument) { EXPECT_EQ(RtfToHtml(""), "<html><body></body></html>"); }

}  // namespace
}  // namespace ign
