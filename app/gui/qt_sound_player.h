#pragma once

#include "common/core/sound_player.h"
#include "common/core/working_folder.h"

#include <QObject>

#include <map>
#include <memory>
#include <string>

class QSoundEffect;

namespace tallimo::app {

// The WAV sounds of "sons/" on Qt Multimedia. Effects are loaded once and
// kept, so that a lap beep starts at once; a machine without sound output
// simply stays silent.
class QtSoundPlayer final : public QObject, public common::SoundPlayer {
public:
    explicit QtSoundPlayer(common::WorkingFolder folder, QObject* parent = nullptr);
    ~QtSoundPlayer() override;

    void play(const std::string& relativePath, bool asynchronous) override;
    void setMuted(bool muted) { m_muted = muted; }

private:
    QSoundEffect* effectFor(const std::string& relativePath);

    common::WorkingFolder m_folder;
    std::map<std::string, QSoundEffect*> m_effects;
    bool m_muted = false;
};

} // namespace tallimo::app
