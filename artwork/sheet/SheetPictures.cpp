#include "SheetPictures.h"

#include <algorithm>
#include <cctype>

namespace artwork::sheet {
namespace {

// "s_10r" after "s_9r": runs of digits compare by value.
bool NaturalLess(const std::string& a, const std::string& b) {
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    if (std::isdigit(static_cast<unsigned char>(a[i])) && std::isdigit(static_cast<unsigned char>(b[j]))) {
      size_t ie = i, je = j;
      while (ie < a.size() && std::isdigit(static_cast<unsigned char>(a[ie]))) ++ie;
      while (je < b.size() && std::isdigit(static_cast<unsigned char>(b[je]))) ++je;
      const long x = std::stol(a.substr(i, ie - i)), y = std::stol(b.substr(j, je - j));
      if (x != y) return x < y;
      i = ie;
      j = je;
    } else {
      if (a[i] != b[j]) return a[i] < b[j];
      ++i;
      ++j;
    }
  }
  return a.size() - i < b.size() - j;
}

}  // namespace

std::vector<NamedPicture> LoadAllPictures(const std::filesystem::path& data) {
  std::vector<NamedPicture> all;
  for (const char* folder : {"cdu", "animf", "ani2", "ps", "start"}) {
    if (!std::filesystem::is_directory(data / folder)) continue;
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(data / folder))
      if (entry.path().extension() == ".bmp") names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end(), NaturalLess);
    for (const std::string& name : names)
      all.push_back({std::string(folder) + "\\" + name, ReadBmpFile(data / folder / name)});
  }
  return all;
}

cairo_surface_t* ToCairo(const BmpPicture& picture, bool keyed) {
  const IndexedImage& image = picture.image;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, image.width, image.height);
  const std::uint8_t key = image.at(0, image.height - 1);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < image.height; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < image.width; ++x) {
      const std::uint8_t index = image.at(x, y);
      const Rgb c = picture.palette[index];
      row[x] = keyed && index == key ? 0u : 0xFF000000u | std::uint32_t{c.r} << 16 | std::uint32_t{c.g} << 8 | c.b;
    }
  }
  cairo_surface_mark_dirty(surface);
  return surface;
}

}  // namespace artwork::sheet
