#include "tests/support/recording_sound_player.h"

namespace tallimo::testing {

void RecordingSoundPlayer::play(const std::string& relativePath, bool asynchronous) {
    m_played.push_back({relativePath, asynchronous});
}

std::vector<std::string> RecordingSoundPlayer::files() const {
    std::vector<std::string> names;
    for (const PlayedSound& sound : m_played)
        names.push_back(sound.file);
    return names;
}

} // namespace tallimo::testing
