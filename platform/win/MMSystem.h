#pragma once
// The multimedia system's wave format record and its four-character chunk codes.

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

// The 18 bytes of a wave format as files and the sound service store it.
#pragma pack(push, 1)
struct WAVEFORMATEX {
  WORD wFormatTag;
  WORD nChannels;
  DWORD nSamplesPerSec;
  DWORD nAvgBytesPerSec;
  WORD nBlockAlign;
  WORD wBitsPerSample;
  WORD cbSize;
};
#pragma pack(pop)
static_assert(sizeof(WAVEFORMATEX) == 18);
