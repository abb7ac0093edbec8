#include "app/assets/asset_generation.h"

#include "app/assets/bmp_writer.h"
#include "app/assets/operator_guide_pdf.h"
#include "app/assets/picture_drawing.h"
#include "app/assets/shipped_pictures.h"
#include "app/assets/shipped_sounds.h"
#include "app/assets/wav_writer.h"

#include <system_error>

namespace tallimo::app::assets {
namespace {

bool makeFolder(const std::filesystem::path& folder, GenerationResult& result) {
    std::error_code code;
    std::filesystem::create_directories(folder, code);
    if (code || !std::filesystem::is_directory(folder)) {
        result.error = "cannot create the folder " + folder.string();
        return false;
    }
    return true;
}

} // namespace

GenerationResult generateAssets(const std::filesystem::path& root) {
    GenerationResult result;
    const std::filesystem::path images = "images";
    const std::filesystem::path sounds = "sons";
    const std::filesystem::path guides = "Guides";
    for (const auto& folder : {images, sounds, guides}) {
        if (!makeFolder(root / folder, result))
            return result;
    }

    for (const PictureAsset& picture : shippedPictures()) {
        const std::filesystem::path relative = images / picture.fileName;
        if (!writeBmpFile(root / relative, toRgbPicture(renderPicture(picture)))) {
            result.error = "cannot write " + (root / relative).string();
            return result;
        }
        result.written.push_back(relative);
    }

    for (const SoundAsset& sound : shippedSounds()) {
        const std::filesystem::path relative = sounds / sound.fileName;
        if (!writeWavFile(root / relative, sound.synthesise())) {
            result.error = "cannot write " + (root / relative).string();
            return result;
        }
        result.written.push_back(relative);
    }

    const std::filesystem::path guide = guides / "HelpLocationKartingFR.pdf";
    if (!writeOperatorGuide(root / guide, result.error))
        return result;
    result.written.push_back(guide);

    result.ok = true;
    return result;
}

} // namespace tallimo::app::assets
