#pragma once

#include "common/core/sound_player.h"

#include <string>
#include <vector>

namespace tallimo::testing {

struct PlayedSound {
    std::string file;
    bool asynchronous = true;
    friend bool operator==(const PlayedSound&, const PlayedSound&) = default;
};

class RecordingSoundPlayer final : public common::SoundPlayer {
public:
    void play(const std::string& relativePath, bool asynchronous) override;
    const std::vector<PlayedSound>& played() const { return m_played; }
    // The file names alone, in order.
    std::vector<std::string> files() const;
    void clear() { m_played.clear(); }

private:
    std::vector<PlayedSound> m_played;
};

} // namespace tallimo::testing
