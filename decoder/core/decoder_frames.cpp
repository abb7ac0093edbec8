#include "decoder/core/decoder_frames.h"

#include <cstdio>

namespace tallimo::decoder {

std::string TransponderText(int number) {
    char text[16];
    std::snprintf(text, sizeof text, "%06d", number);
    return text;
}

} // namespace tallimo::decoder
