#pragma once
// The multimedia system's wave format record and its four-character chunk codes.

#include <cstddef>
#include <cstdint>

#include "WinTypes.h"

using FOURCC = DWORD;

// mmioStringToFOURCC's flag that upper-cases the code.
inline constexpr std::uint32_t MMIO_TOUPPER = 0x0010;

// The first character in the lowest byte, as the multimedia system builds codes.
constexpr FOURCC MakeFourCC(char c0, char c1, char c2, char c3) {
  return static_cast<FOURCC>(static_cast<unsigned char>(c0)) |
         static_cast<FOURCC>(static_cast<unsigned char>(c1)) << 8 |
         static_cast<FOURCC>(static_cast<unsigned char>(c2)) << 16 |
         static_cast<FOURCC>(static_cast<unsigned char>(c3)) << 24;
}

// The code of a string of up to four characters: a shorter one is padded with blanks, a longer
// one cut after the fourth.
FOURCC mmioStringToFOURCC(const char* text, std::uint32_t flags);

inline constexpr WORD WAVE_FORMAT_PCM = 1;

// A wave format: its 18 bytes lie at the offsets files store them at. Unlike Windows we keep the
// record naturally aligned (two bytes of padding at the end), so its fields may be referenced.
struct WAVEFORMATEX {
  WORD wFormatTag;
  WORD nChannels;
  DWORD nSamplesPerSec;
  DWORD nAvgBytesPerSec;
  WORD nBlockAlign;
  WORD wBitsPerSample;
  WORD cbSize;
};
static_assert(offsetof(WAVEFORMATEX, nAvgBytesPerSec) == 8 && offsetof(WAVEFORMATEX, cbSize) == 16);
