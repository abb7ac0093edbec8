#pragma once

#include <string>

namespace tallimo::session {

// What the session clock needs of the decoder link.
class ClockDecoderSide {
public:
    virtual ~ClockDecoderSide() = default;
    // Forget any half-received passing or clock reset acknowledgement.
    virtual void clearAssemblers() = 0;
    // Read what has arrived (up to 255 bytes) and drop it.
    virtual void discardInput() = 0;
    // "Tallimo", "TallimoVela2", "TallimoVela2Bluetooth", or anything else
    // when no decoder settings were read.
    virtual std::string decoderModel() const = 0;
    // One tick of the clock reset exchange with a framed decoder; true on
    // the tick its acknowledgement is accepted.
    virtual bool clockResetHandshake() = 0;
};

} // namespace tallimo::session
