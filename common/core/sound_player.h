#pragma once

#include <string>

namespace tallimo::common {

// Plays a WAV file given relative to the working folder ("sons/beep1.wav").
// A synchronous play returns when the sound has ended.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const std::string& relativePath, bool asynchronous) = 0;
};

} // namespace tallimo::common
