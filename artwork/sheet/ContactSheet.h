#pragma once
// The two sheets a person judges the artwork by.

#include <filesystem>
#include <string>
#include <vector>

#include "SheetPictures.h"

namespace artwork::sheet {

// Every picture whose name contains filter, enlarged by scale, labelled, on a neutral background.
void WriteContactSheet(const std::vector<NamedPicture>& pictures, const std::string& filter, int scale,
                       const std::filesystem::path& png);

// A frame as the game composes it at camera 1500, beside the hit mask of the same scene.
void WriteSampleFrame(const std::filesystem::path& data, const std::filesystem::path& png);

}  // namespace artwork::sheet
