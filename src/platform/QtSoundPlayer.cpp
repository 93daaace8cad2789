#include "platform/QtSoundPlayer.h"

#include "platform/LocalFiles.h"

#include <QUrl>

#include <utility>

namespace vrim {

QtSoundPlayer::QtSoundPlayer(EffectMaker makeEffect)
    : m_makeEffect(std::move(makeEffect))
{
}
QtSoundPlayer::~QtSoundPlayer() = default;

SoundEffect *QtSoundPlayer::effect()
{
    if (m_effect || !m_makeEffect)
        return m_effect.get();
    m_effect = m_makeEffect();
    SoundEffect *effect = m_effect.get();
    if (!effect)
        return nullptr;
    effect->onChange(
        [this, effect] {
            if (!effect->isPlaying() && m_started) {
                m_started = false;
                Q_EMIT completed();
            }
        },
        [this, effect] {
            // A Play sent while the file was still loading starts once it has loaded.
            if (effect->status() == SoundEffect::Status::Ready && m_playWhenLoaded) {
                m_playWhenLoaded = false;
                effect->play();
            }
            // A file that cannot be decoded will never report playing: count the Play as done.
            if (effect->status() == SoundEffect::Status::Error && m_started) {
                m_started = false;
                m_playWhenLoaded = false;
                Q_EMIT completed();
            }
        });
    return effect;
}

void QtSoundPlayer::prepare(const QString &waveFile) { m_prepared = waveFile; }

void QtSoundPlayer::open()
{
    // A closed player stays closed until the clock prepares it again (its settings reload):
    // the Skin Manager closes the clock's player so that no chime sounds over its own.
    if (m_prepared.isEmpty())
        return;
    // Only a regular file reaches the player: reading a pipe would wait for a writer for ever.
    // A file larger than any chime (minutes of sound, which would sound for as long) stays
    // silent too, as does anything else.
    constexpr qint64 MaxSoundBytes = 64 * 1024 * 1024;
    const qint64 size = files::regularFileSize(m_prepared);
    m_source = size >= 0 && size <= MaxSoundBytes ? QUrl::fromLocalFile(m_prepared) : QUrl();
    m_open = true;
    // Opening another sound ends the one sounding (which reports its completion).
    if (m_effect && m_effect->source() != m_source)
        m_effect->stop();
}

void QtSoundPlayer::play()
{
    if (!m_open || m_source.isEmpty() || m_started)
        return; // the chime that is sounding is not started over
    if (m_effect && m_effect->source() == m_source && m_effect->status() == SoundEffect::Status::Error)
        return;
    m_started = true;
    // The sound starts from the event loop: a Close in the same pass (the sample that a reload
    // sends, which the Close ends before it is heard) cancels it before the player is troubled.
    m_startPending = true;
    QMetaObject::invokeMethod(
        &m_context, [this] { startPlaying(); }, Qt::QueuedConnection);
}

void QtSoundPlayer::startPlaying()
{
    if (!std::exchange(m_startPending, false) || !m_started)
        return;
    SoundEffect *effect = this->effect();
    if (!effect) {
        // No player: the chime is silent, and done.
        m_started = false;
        Q_EMIT completed();
        return;
    }
    SoundEffect &sound = *effect;
    if (sound.source() != m_source) {
        // A repeated Open of the sound already loaded reads and decodes nothing again.
        sound.stop();
        sound.setSource(m_source);
        ++m_loads;
    }
    if (sound.status() == SoundEffect::Status::Ready)
        sound.play();
    else
        m_playWhenLoaded = true; // or, should it fail, the status change reports the end
}

void QtSoundPlayer::command(const QString &word)
{
    const QString verb = word.toLower();
    if (verb == u"open") {
        open();
    } else if (verb == u"play") {
        play();
    } else if (verb == u"prev") {
        // A sound always starts from the beginning: there is nothing to wind back.
    } else if (verb == u"close") {
        m_prepared.clear();
        m_source.clear();
        m_started = false;
        m_playWhenLoaded = false;
        m_startPending = false;
        m_open = false;
        if (m_effect) {
            m_effect->stop();
            m_effect->setSource(QUrl());
        }
    }
}

} // namespace vrim
