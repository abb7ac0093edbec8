#pragma once

#include <cstdint>
#include <string>

namespace tallimo::common {

// One passing of a transponder at the finish line, as the decoder link hands
// it to lap timing.
struct Passing {
    std::string transponder; // "%06d" of the 16-bit transponder number
    std::int64_t timeMs = 0; // decoder clock time (framed models)
    // Counter-timed decoders: the high-resolution counter when the passing
    // was complete; lap timing turns it into a time from the session's base.
    bool timedByCounter = false;
    std::int64_t counter = 0;
};

} // namespace tallimo::common
