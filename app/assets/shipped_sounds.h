#pragma once

#include "app/assets/wav_writer.h"

#include <string>
#include <vector>

namespace tallimo::app::assets {

// A sound the program plays from its "sons/" folder, by file name.
struct SoundAsset {
    std::string fileName; // inside sons/
    std::string purpose;
    PcmSound (*synthesise)();
};

// Every sound the program ships, in a fixed order.
const std::vector<SoundAsset>& shippedSounds();

} // namespace tallimo::app::assets
