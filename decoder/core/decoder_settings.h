#pragma once

// "RéglagesInterface2.rg": which port and which decoder model were used
// last. One line: comPort TAB connected TAB decoderModel LF. Every window
// that needs the values keeps its own copy and reads the file again; the
// file is how an identification made in one window reaches the others.

#include "common/core/working_folder.h"

#include <string>

namespace tallimo::decoder {

inline const char* const kDecoderSettingsFileName = "R\xC3\xA9glagesInterface2.rg";
inline constexpr std::size_t kComPortCapacity = 6;       // 5 characters
inline constexpr std::size_t kDecoderModelCapacity = 25; // 24 characters

struct DecoderSettings {
    std::string comPort;
    int connected = 0;
    std::string decoderModel;
    friend bool operator==(const DecoderSettings&, const DecoderSettings&) = default;
};

// Reads the three blank-separated tokens in order; a field the reader did not
// reach keeps the value the caller put there. Over-long tokens are cut to
// their field's width. False when the file cannot be read.
bool LoadDecoderSettings(const common::WorkingFolder& folder, DecoderSettings& settings);

// Rewrites the whole file. False when it cannot be written; the previous file
// is then intact.
bool SaveDecoderSettings(const common::WorkingFolder& folder, const DecoderSettings& settings);

std::string FormatDecoderSettings(const DecoderSettings& settings);
void ParseDecoderSettings(std::string_view bytes, DecoderSettings& settings);

} // namespace tallimo::decoder
