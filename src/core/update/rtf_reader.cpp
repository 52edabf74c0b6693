#include "core/update/rtf_reader.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "core/text/codepage.h"
#include "core/text/utf8.h"

namespace ign {

namespace {

struct CharFormat {
  bool bold = false, italic = false, underline = false;
  int halfPoints = 24;  // \fs: font size in half points
  int colour = 0;       // index into the colour table; 0 is the default colour
  bool operator==(const CharFormat&) const = default;
};

enum class Dest { Text, Skip, ColourTable };

struct Group {
  CharFormat format;
  Dest dest = Dest::Text;
  int unicodeSkip = 1;  // \uc: characters after \uN that stand in for it
};

// Destinations whose text is not part of the shown text.
bool SkippedDestination(std::string_view word) {
  static constexpr std::string_view kSkipped[] = {"fonttbl",
                                                  "stylesheet",
                                                  "info",
                                                  "pict",
                                                  "header",
                                                  "footer",
                                                  "headerl",
                                                  "headerr",
                                                  "headerf",
                                                  "footerl",
                                                  "footerr",
                                                  "footerf",
                                                  "footnote",
                                                  "listtable",
                                                  "object",
                                                  "fldinst",
                                                  "filetbl",
                                                  "revtbl",
                                                  "rsidtbl",
                                                  "generator",
                                                  "themedata",
                                                  "xmlnstbl",
                                                  "latentstyles",
                                                  "datastore",
                                                  "colorschememapping",
                                                  "listoverridetable",
                                                  "pgdsctbl",
                                                  "mmathPr",
                                                  "author",
                                                  "operator",
                                                  "title",
                                                  "subject",
                                                  "keywords",
                                                  "comment",
                                                  "doccomm",
                                                  "bkmkstart",
                                                  "bkmkend",
                                                  "nonshppict",
                                                  "shppict",
                                                  "objdata",
                                                  "xe",
                                                  "tc",
                                                  "txe",
                                                  "userprops",
                                                  "private"};
  for (std::string_view s : kSkipped)
    if (s == word) return true;
  return false;
}

// One Windows-1250 byte as UTF-8, from a table made once.
const std::string& Cp1250Char(int byte) {
  static const std::array<std::string, 256> table = [] {
    std::array<std::string, 256> t;
    for (int b = 0; b < 256; ++b) {
      const char c = char(b);
      t[size_t(b)] = Cp1250ToUtf8(std::string_view(&c, 1));
    }
    return t;
  }();
  return table[size_t(byte & 0xFF)];
}

// Receives what the reader finds; the HTML and the plain writer implement it.
class Sink {
 public:
  virtual ~Sink() = default;
  virtual void Text(std::string_view utf8, const CharFormat& f) = 0;
  virtual void Paragraph() = 0;
  virtual void LineBreak() = 0;
  virtual void Colour(uint32_t rgb) = 0;  // the next colour table entry
};

class Reader {
 public:
  Reader(std::string_view in, Sink& sink) : in_(in), sink_(sink) { stack_.push_back(Group{}); }

  void Run() {
    while (pos_ < in_.size()) {
      const char c = in_[pos_];
      if (c == '{') {
        ++pos_;
        OpenGroup();
      } else if (c == '}') {
        ++pos_;
        CloseGroup();
      } else if (c == '\\') {
        ++pos_;
        ControlWord();
      } else if (c == '\r' || c == '\n') {
        ++pos_;
      } else {
        PlainRun();
      }
    }
    FlushText();
  }

 private:
  Group& Top() { return stack_.back(); }

  void OpenGroup() {
    FlushText();
    if (int(stack_.size()) < kRtfMaxDepth)
      stack_.push_back(Top());
    else
      ++overflow_;
    groupStart_ = true;
  }

  void CloseGroup() {
    FlushText();
    groupStart_ = false;
    if (overflow_ > 0) {
      --overflow_;
    } else if (stack_.size() > 1) {
      if (Top().dest == Dest::ColourTable && colourPending_) EndColour();
      stack_.pop_back();
    }
    // A '}' without its '{' is ignored.
  }

  void PlainRun() {
    groupStart_ = false;
    const std::size_t start = pos_;
    while (pos_ < in_.size() && in_[pos_] != '{' && in_[pos_] != '}' && in_[pos_] != '\\' &&
           in_[pos_] != '\r' && in_[pos_] != '\n')
      ++pos_;
    std::string_view run = in_.substr(start, pos_ - start);
    if (Top().dest == Dest::ColourTable) {
      for (char c : run)
        if (c == ';') EndColour();
      return;
    }
    // Characters that stand in for a \uN are dropped.
    while (pendingSkip_ > 0 && !run.empty()) {
      std::size_t n = 1;
      while (n < run.size() && (static_cast<unsigned char>(run[n]) & 0xC0) == 0x80) ++n;
      run.remove_prefix(n);
      --pendingSkip_;
    }
    AddText(run);
  }

  void AddText(std::string_view utf8) {
    if (Top().dest != Dest::Text || utf8.empty()) return;
    if (!text_.empty() && !(textFormat_ == Top().format)) FlushText();
    textFormat_ = Top().format;
    text_.append(utf8);
  }

  void FlushText() {
    if (!text_.empty()) sink_.Text(text_, textFormat_);
    text_.clear();
  }

  void EndColour() {
    sink_.Colour(colourPending_ ? (uint32_t(red_) << 16 | uint32_t(green_) << 8 | uint32_t(blue_))
                                : 0xFFFFFFFF);
    red_ = green_ = blue_ = 0;
    colourPending_ = false;
  }

  void ControlWord() {
    if (pos_ >= in_.size()) return;
    const char c = in_[pos_];
    const bool atGroupStart = groupStart_;
    groupStart_ = false;
    if (!IsLetter(c)) {
      ++pos_;
      ControlSymbol(c, atGroupStart);
      return;
    }
    const std::size_t start = pos_;
    while (pos_ < in_.size() && IsLetter(in_[pos_]) && pos_ - start < 32) ++pos_;
    const std::string_view word = in_.substr(start, pos_ - start);
    bool hasParam = false;
    long param = 0;
    bool negative = false;
    if (pos_ < in_.size() && in_[pos_] == '-') {
      negative = true;
      ++pos_;
    }
    int digits = 0;
    while (pos_ < in_.size() && in_[pos_] >= '0' && in_[pos_] <= '9') {
      if (digits < 10) param = param * 10 + (in_[pos_] - '0');
      ++digits;
      ++pos_;
    }
    hasParam = digits > 0;
    if (negative) param = -param;
    if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;  // the delimiting space belongs to the word
    Word(word, hasParam, param);
  }

  static bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

  void ControlSymbol(char c, bool atGroupStart) {
    switch (c) {
      case '\\':
      case '{':
      case '}': Char(std::string(1, c)); break;
      case '~': Char("\u00A0"); break;
      case '_': Char("-"); break;
      case '-': break;  // optional hyphen
      case '*':
        if (atGroupStart) Top().dest = Dest::Skip;
        break;
      case '\'': HexChar(); break;
      case '\r':
      case '\n': Paragraph(); break;
      default: break;
    }
  }

  void HexChar() {
    auto hex = [](char h) -> int {
      if (h >= '0' && h <= '9') return h - '0';
      if (h >= 'a' && h <= 'f') return h - 'a' + 10;
      if (h >= 'A' && h <= 'F') return h - 'A' + 10;
      return -1;
    };
    if (pos_ + 2 > in_.size()) {
      pos_ = in_.size();
      return;
    }
    const int hi = hex(in_[pos_]), lo = hex(in_[pos_ + 1]);
    if (hi < 0 || lo < 0) return;  // not a hex escape: the characters are read as text
    pos_ += 2;
    if (Top().dest == Dest::ColourTable) return;
    if (pendingSkip_ > 0) {
      --pendingSkip_;
      return;
    }
    Char(Cp1250Char(hi * 16 + lo));
  }

  void Char(const std::string& utf8) {
    if (pendingSkip_ > 0) {
      --pendingSkip_;
      return;
    }
    AddText(utf8);
  }

  void Paragraph() {
    if (Top().dest != Dest::Text) return;
    FlushText();
    sink_.Paragraph();
  }

  void Unicode(long n) {
    if (n < 0) n += 65536;
    uint32_t cp = uint32_t(n);
    if (cp >= 0xD800 && cp <= 0xDBFF) {
      highSurrogate_ = cp;
    } else {
      if (cp >= 0xDC00 && cp <= 0xDFFF) {
        cp = highSurrogate_ ? 0x10000 + ((highSurrogate_ - 0xD800) << 10) + (cp - 0xDC00) : 0xFFFD;
      } else if (highSurrogate_) {
        std::string bad;
        AppendUtf8(bad, 0xFFFD);
        AddText(bad);
      }
      highSurrogate_ = 0;
      if (cp != 0 && cp <= 0x10FFFF) {
        std::string s;
        AppendUtf8(s, cp);
        AddText(s);
      }
    }
    pendingSkip_ = Top().unicodeSkip;
  }

  void Word(std::string_view w, bool hasParam, long p) {
    Group& g = Top();
    CharFormat& f = g.format;
    const bool on = !hasParam || p != 0;
    if (w == "colortbl") {
      FlushText();
      g.dest = Dest::ColourTable;
      colourPending_ = false;
      red_ = green_ = blue_ = 0;
    } else if (g.dest == Dest::ColourTable) {
      const int v = int(p < 0 ? 0 : p > 255 ? 255 : p);
      if (w == "red")
        red_ = v, colourPending_ = true;
      else if (w == "green")
        green_ = v, colourPending_ = true;
      else if (w == "blue")
        blue_ = v, colourPending_ = true;
    } else if (g.dest == Dest::Skip) {
      // nothing in a skipped destination counts
    } else if (SkippedDestination(w)) {
      FlushText();
      g.dest = Dest::Skip;
    } else if (w == "par" || w == "sect" || w == "page") {
      Paragraph();
    } else if (w == "line") {
      FlushText();
      sink_.LineBreak();
    } else if (w == "tab") {
      Char("\t");
    } else if (w == "b") {
      f.bold = on;
    } else if (w == "i") {
      f.italic = on;
    } else if (w == "ul" || w == "uld" || w == "uldb" || w == "ulw") {
      f.underline = on;
    } else if (w == "ulnone") {
      f.underline = false;
    } else if (w == "fs") {
      f.halfPoints = hasParam ? int(p < 8 ? 8 : p > 192 ? 192 : p) : 24;
    } else if (w == "cf") {
      f.colour = int(p < 0 ? 0 : p > 10000 ? 10000 : p);
    } else if (w == "plain") {
      f = CharFormat{};
    } else if (w == "u" && hasParam) {
      Unicode(p);
    } else if (w == "uc" && hasParam) {
      g.unicodeSkip = int(p < 0 ? 0 : p > 8 ? 8 : p);
    } else if (w == "emdash") {
      Char("\u2014");
    } else if (w == "endash") {
      Char("\u2013");
    } else if (w == "bullet") {
      Char("\u2022");
    } else if (w == "lquote") {
      Char("\u2018");
    } else if (w == "rquote") {
      Char("\u2019");
    } else if (w == "ldblquote") {
      Char("\u201C");
    } else if (w == "rdblquote") {
      Char("\u201D");
    }
    // Every other word is dropped.
  }

  std::string_view in_;
  Sink& sink_;
  std::size_t pos_ = 0;
  std::vector<Group> stack_;
  int overflow_ = 0;  // groups opened beyond kRtfMaxDepth
  bool groupStart_ = false;
  int pendingSkip_ = 0;
  uint32_t highSurrogate_ = 0;
  std::string text_;
  CharFormat textFormat_;
  bool colourPending_ = false;
  int red_ = 0, green_ = 0, blue_ = 0;
};

void AppendEscaped(std::string& out, std::string_view text) {
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
}

class HtmlSink : public Sink {
 public:
  void Text(std::string_view utf8, const CharFormat& f) override {
    std::string style;
    if (f.bold) style += "font-weight:bold;";
    if (f.italic) style += "font-style:italic;";
    if (f.underline) style += "text-decoration:underline;";
    if (f.halfPoints != 24) {
      char buf[40];
      std::snprintf(buf, sizeof buf, "font-size:%g pt;", f.halfPoints / 2.0);
      style += buf;
    }
    if (f.colour > 0 && std::size_t(f.colour) < colours_.size() &&
        colours_[std::size_t(f.colour)] <= 0xFFFFFF) {
      char buf[24];
      std::snprintf(buf, sizeof buf, "color:#%06x;", unsigned(colours_[std::size_t(f.colour)]));
      style += buf;
    }
    if (style.empty()) {
      AppendEscaped(body_, utf8);
    } else {
      body_ += "<span style=\"" + style + "\">";
      AppendEscaped(body_, utf8);
      body_ += "</span>";
    }
  }
  void Paragraph() override {
    // An empty paragraph keeps its line (an empty block would collapse).
    if (body_.empty()) body_ = "&#160;";
    paragraphs_ += "<p style=\"margin:0; white-space:pre-wrap\">" + body_ + "</p>";
    body_.clear();
  }
  void LineBreak() override { body_ += "<br/>"; }
  void Colour(uint32_t rgb) override {
    if (colours_.size() < 100000) colours_.push_back(rgb);
  }
  std::string Html() {
    if (!body_.empty()) Paragraph();
    return "<html><body>" + paragraphs_ + "</body></html>";
  }

 private:
  std::vector<uint32_t> colours_;
  std::string body_, paragraphs_;
};

class PlainSink : public Sink {
 public:
  void Text(std::string_view utf8, const CharFormat&) override { out_.append(utf8); }
  void Paragraph() override { out_ += '\n'; }
  void LineBreak() override { out_ += '\n'; }
  void Colour(uint32_t) override {}
  std::string Take() { return std::move(out_); }

 private:
  std::string out_;
};

}  // namespace

std::string RtfToHtml(std::string_view rtf) {
  HtmlSink sink;
  Reader(rtf, sink).Run();
  return sink.Html();
}

std::string RtfToPlainText(std::string_view rtf) {
  PlainSink sink;
  Reader(rtf, sink).Run();
  return sink.Take();
}

}  // namespace ign
