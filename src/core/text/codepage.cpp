#include "core/text/codepage.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>

namespace ign {

namespace {

constexpr const char* kUtf8 = "UTF-8";
constexpr const char* kCp1250 = "WINDOWS-1250";

// One conversion descriptor per direction and thread, opened on first use.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) {
      throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to);
    }
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // skipBad(in, left) tells how many input bytes one unconvertible character
  // takes; it is replaced by a single '?'.
  template <typename SkipBad>
  std::string Convert(std::string_view input, SkipBad skipBad) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // reset the shift state
    std::string out;
    out.reserve(input.size() * 2 + 4);
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char buf[256];
    while (inLeft > 0) {
      char* outPtr = buf;
      std::size_t outLeft = sizeof buf;
      const std::size_t rc = iconv(cd_, &in, &inLeft, &outPtr, &outLeft);
      out.append(buf, static_cast<std::size_t>(outPtr - buf));
      if (rc != static_cast<std::size_t>(-1)) continue;
      if (errno == E2BIG) continue;
      // EILSEQ (unmappable or malformed) or EINVAL (cut short at the end).
      const std::size_t skip = std::min(inLeft, std::max<std::size_t>(1, skipBad(in, inLeft)));
      out.push_back('?');
      in += skip;
      inLeft -= skip;
      iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
  }

 private:
  iconv_t cd_;
};

// Length of the UTF-8 character that starts at p, or 1 when p holds no
// well-formed start of one.
std::size_t Utf8CharLength(const char* p, std::size_t left) {
  const auto b = static_cast<unsigned char>(p[0]);
  std::size_t len = 1;
  if (b >= 0xC2 && b <= 0xDF)
    len = 2;
  else if (b >= 0xE0 && b <= 0xEF)
    len = 3;
  else if (b >= 0xF0 && b <= 0xF4)
    len = 4;
  if (len > left) return 1;
  for (std::size_t i = 1; i < len; ++i) {
    if ((static_cast<unsigned char>(p[i]) & 0xC0) != 0x80) return 1;
  }
  return len;
}

}  // namespace

std::string Utf8ToCp1250(std::string_view utf8) {
  thread_local Converter converter(kCp1250, kUtf8);
  return converter.Convert(utf8, Utf8CharLength);
}

std::string Cp1250ToUtf8(std::string_view cp1250) {
  thread_local Converter converter(kUtf8, kCp1250);
  return converter.Convert(cp1250, [](const char*, std::size_t) { return std::size_t{1}; });
}

}  // namespace ign
