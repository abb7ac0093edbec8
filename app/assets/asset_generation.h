#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tallimo::app::assets {

struct GenerationResult {
    bool ok = false;
    std::vector<std::filesystem::path> written; // relative to the output root
    std::string error;
};

// Writes every shipped resource under root, as the working folder holds
// them: images/*.bmp, sons/*.wav and Guides/HelpLocationKartingFR.pdf.
// Stops at the first file that cannot be written. Needs a QGuiApplication.
GenerationResult generateAssets(const std::filesystem::path& root);

} // namespace tallimo::app::assets
