#include "PictureFile.h"

#include <png.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace platform {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// libpng reports errors by jumping back here; nothing with a destructor lives between the two.
bool WriteRows(std::FILE* file, std::int32_t width, std::int32_t height, std::vector<png_bytep>& rows) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

bool SavePictureAsPng(const Window& window, const std::string& fileName) {
  const SIZE size = window.PictureSize();
  const std::vector<std::uint32_t>& picture = window.Picture();
  if (picture.empty() || picture.size() != static_cast<std::size_t>(size.cx) * static_cast<std::size_t>(size.cy))
    return false;
  std::vector<png_byte> rgb(picture.size() * 3);
  for (std::size_t i = 0; i < picture.size(); ++i) {
    rgb[i * 3] = static_cast<png_byte>(picture[i] >> 16);
    rgb[i * 3 + 1] = static_cast<png_byte>(picture[i] >> 8);
    rgb[i * 3 + 2] = static_cast<png_byte>(picture[i]);
  }
  std::vector<png_bytep> rows(static_cast<std::size_t>(size.cy));
  for (std::size_t y = 0; y < rows.size(); ++y) rows[y] = rgb.data() + y * static_cast<std::size_t>(size.cx) * 3;
  const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(fileName.c_str(), "wb"));
  if (!file) return false;
  const bool written = WriteRows(file.get(), size.cx, size.cy, rows);
  return std::fflush(file.get()) == 0 && written;
}

}  // namespace platform
