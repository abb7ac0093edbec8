#include "app/gui/qt_sound_player.h"

#include <QEventLoop>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

namespace tallimo::app {
namespace {

// A synchronous sound never holds the timer longer than this.
constexpr int kLongestWaitMs = 3000;

} // namespace

QtSoundPlayer::QtSoundPlayer(common::WorkingFolder folder, QObject* parent)
    : QObject(parent), m_folder(std::move(folder)) {}

QtSoundPlayer::~QtSoundPlayer() = default;

QSoundEffect* QtSoundPlayer::effectFor(const std::string& relativePath) {
    auto found = m_effects.find(relativePath);
    if (found != m_effects.end())
        return found->second;
    auto* effect = new QSoundEffect(this);
    const std::filesystem::path file = m_folder.path(relativePath);
    effect->setSource(QUrl::fromLocalFile(QString::fromStdString(file.string())));
    m_effects.emplace(relativePath, effect);
    return effect;
}

void QtSoundPlayer::play(const std::string& relativePath, bool asynchronous) {
    if (m_muted)
        return;
    QSoundEffect* effect = effectFor(relativePath);
    if (effect->status() == QSoundEffect::Error)
        return;
    effect->play();
    if (asynchronous)
        return;
    QEventLoop wait;
    QTimer::singleShot(kLongestWaitMs, &wait, &QEventLoop::quit);
    QObject::connect(effect, &QSoundEffect::playingChanged, &wait, [&wait, effect] {
        if (!effect->isPlaying())
            wait.quit();
    });
    QObject::connect(effect, &QSoundEffect::statusChanged, &wait, [&wait, effect] {
        if (effect->status() == QSoundEffect::Error)
            wait.quit();
    });
    if (effect->isPlaying() || effect->status() == QSoundEffect::Loading)
        wait.exec(QEventLoop::ExcludeUserInputEvents);
}

} // namespace tallimo::app
