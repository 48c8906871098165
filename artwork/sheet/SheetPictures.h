#pragma once
// Game-data pictures as the contact sheets show them: loaded, keyed like the game keys them,
// and turned into cairo pictures.

#include <cairo.h>

#include <filesystem>
#include <string>
#include <vector>

#include "BmpFile.h"

namespace artwork::sheet {

struct NamedPicture {
  std::string name;  // as the game writes it, "cdu\ts11.bmp"
  BmpPicture picture;
};

// Every picture under the data folder, in folder order and natural name order.
std::vector<NamedPicture> LoadAllPictures(const std::filesystem::path& data);

// The picture in its own palette; with keyed, its bottom-left colour is transparent.
cairo_surface_t* ToCairo(const BmpPicture& picture, bool keyed);

}  // namespace artwork::sheet
