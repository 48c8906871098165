#include "Blitter.h"

#include <immintrin.h>

#include <cstring>

namespace platform::pixels {
namespace {

// Sixteen bytes at a time: lanes equal to the key keep the target, others take the source. Blocks
// that are wholly transparent or wholly opaque, the common case in real pictures, skip the blend.
template <int BytesPerPixel>
void KeyedRowSse2(std::uint8_t* target, const std::uint8_t* source, std::int32_t pixels, std::uint32_t key) {
  static_assert(BytesPerPixel == 1 || BytesPerPixel == 2 || BytesPerPixel == 4);
  const __m128i keys = BytesPerPixel == 1   ? _mm_set1_epi8(static_cast<char>(key))
                       : BytesPerPixel == 2 ? _mm_set1_epi16(static_cast<short>(key))
                                            : _mm_set1_epi32(static_cast<int>(key));
  const std::int32_t bytes = pixels * BytesPerPixel;
  std::int32_t i = 0;
  for (; i + 16 <= bytes; i += 16) {
    const __m128i pixelsIn = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + i));
    const __m128i transparent = BytesPerPixel == 1   ? _mm_cmpeq_epi8(pixelsIn, keys)
                                : BytesPerPixel == 2 ? _mm_cmpeq_epi16(pixelsIn, keys)
                                                     : _mm_cmpeq_epi32(pixelsIn, keys);
    const int lanes = _mm_movemask_epi8(transparent);
    if (lanes == 0xFFFF) continue;
    __m128i* out = reinterpret_cast<__m128i*>(target + i);
    if (lanes == 0) {
      _mm_storeu_si128(out, pixelsIn);
      continue;
    }
    const __m128i kept = _mm_and_si128(transparent, _mm_loadu_si128(out));
    _mm_storeu_si128(out, _mm_or_si128(kept, _mm_andnot_si128(transparent, pixelsIn)));
  }
  for (; i < bytes; i += BytesPerPixel) {
    std::uint32_t value = 0;
    std::memcpy(&value, source + i, BytesPerPixel);
    if (value != key) std::memcpy(target + i, source + i, BytesPerPixel);
  }
}

// The same with thirty-two bytes at a time, for processors that have AVX2.
template <int BytesPerPixel>
__attribute__((target("avx2"))) void KeyedRowAvx2(std::uint8_t* target, const std::uint8_t* source,
                                                   std::int32_t pixels, std::uint32_t key) {
  const __m256i keys = BytesPerPixel == 1   ? _mm256_set1_epi8(static_cast<char>(key))
                       : BytesPerPixel == 2 ? _mm256_set1_epi16(static_cast<short>(key))
                                            : _mm256_set1_epi32(static_cast<int>(key));
  const std::int32_t bytes = pixels * BytesPerPixel;
  std::int32_t i = 0;
  for (; i + 32 <= bytes; i += 32) {
    const __m256i pixelsIn = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(source + i));
    const __m256i transparent = BytesPerPixel == 1   ? _mm256_cmpeq_epi8(pixelsIn, keys)
                                : BytesPerPixel == 2 ? _mm256_cmpeq_epi16(pixelsIn, keys)
                                                     : _mm256_cmpeq_epi32(pixelsIn, keys);
    const auto lanes = static_cast<std::uint32_t>(_mm256_movemask_epi8(transparent));
    if (lanes == 0xFFFFFFFFu) continue;
    __m256i* out = reinterpret_cast<__m256i*>(target + i);
    if (lanes == 0) {
      _mm256_storeu_si256(out, pixelsIn);
      continue;
    }
    _mm256_storeu_si256(out, _mm256_blendv_epi8(pixelsIn, _mm256_loadu_si256(out), transparent));
  }
  KeyedRowSse2<BytesPerPixel>(target + i, source + i, (bytes - i) / BytesPerPixel, key);
}

void KeyedRow24(std::uint8_t* target, const std::uint8_t* source, std::int32_t pixels, std::uint32_t key) {
  for (std::int32_t x = 0; x < pixels; ++x, target += 3, source += 3) {
    const std::uint32_t value = source[0] | source[1] << 8 | source[2] << 16;
    if (value != key) std::memcpy(target, source, 3);
  }
}

using KeyedRow = void (*)(std::uint8_t*, const std::uint8_t*, std::int32_t, std::uint32_t);

KeyedRow KeyedRowFor(std::uint32_t bytesPerPixel) {
  static const bool avx2 = __builtin_cpu_supports("avx2");
  switch (bytesPerPixel) {
    case 1: return avx2 ? KeyedRowAvx2<1> : KeyedRowSse2<1>;
    case 2: return avx2 ? KeyedRowAvx2<2> : KeyedRowSse2<2>;
    case 3: return KeyedRow24;
    default: return avx2 ? KeyedRowAvx2<4> : KeyedRowSse2<4>;
  }
}

// Pixels of 2, 3 or 4 bytes, lowest byte first.
template <std::size_t Bytes>
void FillRows(const PixelBuffer& target, std::uint32_t value) {
  std::uint8_t pixel[4];
  std::memcpy(pixel, &value, sizeof pixel);
  for (std::int32_t y = 0; y < target.height; ++y) {
    std::uint8_t* row = target.Row(y);
    for (std::int32_t x = 0; x < target.width; ++x, row += Bytes) std::memcpy(row, pixel, Bytes);
  }
}

}  // namespace

void CopyPixels(const PixelBuffer& target, std::int32_t x, std::int32_t y, const PixelBuffer& source) {
  const std::size_t rowBytes = static_cast<std::size_t>(source.width) * source.layout.BytesPerPixel();
  for (std::int32_t row = 0; row < source.height; ++row)
    std::memcpy(target.At(x, y + row), source.Row(row), rowBytes);
}

void CopyPixelsKeyed(const PixelBuffer& target, std::int32_t x, std::int32_t y, const PixelBuffer& source,
                     std::uint32_t key) {
  const KeyedRow copyRow = KeyedRowFor(source.layout.BytesPerPixel());
  key &= source.layout.ValueMask();
  for (std::int32_t row = 0; row < source.height; ++row) copyRow(target.At(x, y + row), source.Row(row), source.width, key);
}

void FillPixels(const PixelBuffer& target, std::uint32_t value) {
  value &= target.layout.ValueMask();
  switch (target.layout.BytesPerPixel()) {
    case 1:
      for (std::int32_t y = 0; y < target.height; ++y)
        std::memset(target.Row(y), static_cast<int>(value), static_cast<std::size_t>(target.width));
      break;
    case 2: FillRows<2>(target, value); break;
    case 3: FillRows<3>(target, value); break;
    default: FillRows<4>(target, value); break;
  }
}

}  // namespace platform::pixels
