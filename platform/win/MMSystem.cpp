#include "MMSystem.h"

#include <cctype>

FOURCC mmioStringToFOURCC(const char* text, std::uint32_t flags) {
  char code[4] = {' ', ' ', ' ', ' '};
  for (int i = 0; i < 4 && text != nullptr && text[i] != '\0'; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    code[i] = static_cast<char>((flags & MMIO_TOUPPER) != 0 ? std::toupper(c) : c);
  }
  return MakeFourCC(code[0], code[1], code[2], code[3]);
}
