#include "CodePage.h"

#include <iterator>
#include <optional>

namespace {

// 0x80 to 0x9F differ from Latin-1; every other byte is its own code point.
constexpr char32_t HighControlRange[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The byte of a code point, or none.
std::optional<char> Cp1252ByteOf(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (std::size_t i = 0; i < std::size(HighControlRange); ++i)
    if (HighControlRange[i] == c) return static_cast<char>(0x80 + i);
  return std::nullopt;
}

// The code point starting at `at`, moving past it; none for a broken sequence, of which one byte is skipped.
std::optional<char32_t> NextCodePoint(std::string_view utf8, std::size_t& at) {
  const auto lead = static_cast<unsigned char>(utf8[at++]);
  if (lead < 0x80) return lead;
  int more = 0;
  char32_t c = 0;
  if ((lead & 0xE0) == 0xC0) {
    more = 1;
    c = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    more = 2;
    c = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    more = 3;
    c = lead & 0x07;
  } else {
    return std::nullopt;
  }
  if (at + more > utf8.size()) return std::nullopt;
  for (int i = 0; i < more; ++i) {
    const auto next = static_cast<unsigned char>(utf8[at + i]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    c = c << 6 | (next & 0x3F);
  }
  at += more;
  return c;
}

}  // namespace

char32_t Cp1252ToUnicode(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? HighControlRange[byte - 0x80] : char32_t{byte};
}

std::string Cp1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) AppendUtf8(out, Cp1252ToUnicode(static_cast<unsigned char>(c)));
  return out;
}

std::string Utf8ToCp1252(std::string_view utf8) {
  std::string out;
  for (std::size_t at = 0; at < utf8.size();) {
    const std::optional<char32_t> c = NextCodePoint(utf8, at);
    if (!c) continue;
    if (const std::optional<char> byte = Cp1252ByteOf(*c)) out += *byte;
  }
  return out;
}

std::string HostPath(std::string_view windowsName) {
  std::string path = Cp1252ToUtf8(windowsName);
  for (char& c : path)
    if (c == '\\') c = '/';
  return path;
}
