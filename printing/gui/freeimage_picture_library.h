#pragma once

#include "printing/core/picture_library.h"

namespace tallimo::printing {

// FreeImage is initialised once for the program: main() holds one of these
// for as long as it runs.
class FreeImageSession {
public:
    FreeImageSession();
    ~FreeImageSession();
    FreeImageSession(const FreeImageSession&) = delete;
    FreeImageSession& operator=(const FreeImageSession&) = delete;
};

// The operator's pictures through FreeImage.
class FreeImagePictureLibrary final : public PictureLibrary {
public:
    std::optional<PictureSize> measure(const std::filesystem::path& picture) override;
    bool convertJpegToBmp(const std::filesystem::path& jpeg,
                          const std::filesystem::path& bmp) override;
};

} // namespace tallimo::printing
