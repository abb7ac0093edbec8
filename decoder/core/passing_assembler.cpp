#include "decoder/core/passing_assembler.h"

#include "decoder/core/decoder_frames.h"

namespace tallimo::decoder {

FramedPassing DecodeFramedPassing(const std::uint8_t* record) {
    FramedPassing passing;
    passing.transponder = record[4] * 256 + record[5];
    passing.timeMs =
        FramedPassingTimeMs(record[6], record[7], record[8], record[9] * 256 + record[10]);
    return passing;
}

std::optional<FramedPassing> PassingAssembler::feedFramed(std::uint8_t byte) {
    if (!m_framed.feed(byte))
        return std::nullopt;
    return DecodeFramedPassing(m_framed.frame().data());
}

std::optional<int> PassingAssembler::feedCounterTimed(std::uint8_t byte) {
    if (m_pairHeld == 0) {
        m_pairFirst = byte;
        m_pairHeld = 1;
        return std::nullopt;
    }
    m_pairHeld = 0;
    return m_pairFirst * 256 + byte;
}

void PassingAssembler::clear() {
    m_framed.clear();
    m_pairHeld = 0;
}

} // namespace tallimo::decoder
