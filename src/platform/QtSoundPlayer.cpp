#include "platform/QtSoundPlayer.h"

#include "platform/LocalFiles.h"

#include <QUrl>

namespace vrim {

QtSoundPlayer::QtSoundPlayer()
{
    QObject::connect(&m_effect, &QSoundEffect::playingChanged, &m_effect, [this] {
        if (!m_effect.isPlaying() && m_started) {
            m_started = false;
            completed();
        }
    });
    QObject::connect(&m_effect, &QSoundEffect::statusChanged, &m_effect, [this] {
        // A Play sent while the file was still loading starts once it has loaded.
        if (m_effect.status() == QSoundEffect::Ready && m_playWhenLoaded) {
            m_playWhenLoaded = false;
            m_effect.play();
        }
        // A file that cannot be decoded will never report playing: count the Play as done.
        if (m_effect.status() == QSoundEffect::Error && m_started) {
            m_started = false;
            m_playWhenLoaded = false;
            completed();
        }
    });
}

void QtSoundPlayer::prepare(const QString &waveFile) { m_prepared = waveFile; }

void QtSoundPlayer::open()
{
    // A closed player stays closed until the clock prepares it again (its settings reload):
    // the Skin Manager closes the clock's player so that no chime sounds over its own.
    if (m_prepared.isEmpty())
        return;
    // Only a regular file reaches the sound library: a pipe would hold its loader thread, and
    // with it the program's end, for ever. The library holds the whole sound in memory, so a
    // file larger than any chime (minutes of sound) stays silent too, as does anything else.
    constexpr qint64 MaxSoundBytes = 64 * 1024 * 1024;
    const qint64 size = files::regularFileSize(m_prepared);
    const QUrl source = size >= 0 && size <= MaxSoundBytes ? QUrl::fromLocalFile(m_prepared) : QUrl();
    if (m_open && m_effect.source() == source)
        return; // already open on this sound: a repeated Open changes nothing
    m_effect.stop();
    m_effect.setSource(source);
    ++m_loads;
    m_open = true;
}

void QtSoundPlayer::command(const QString &word)
{
    const QString verb = word.toLower();
    if (verb == u"open") {
        open();
    } else if (verb == u"play") {
        if (!m_open || m_effect.isPlaying() || m_started)
            return; // the chime that is sounding is not started over
        if (m_effect.status() == QSoundEffect::Error || m_effect.source().isEmpty())
            return;
        m_started = true;
        if (m_effect.status() == QSoundEffect::Loading)
            m_playWhenLoaded = true;
        else
            m_effect.play();
    } else if (verb == u"prev") {
        // QSoundEffect always starts from the beginning: there is nothing to wind back.
    } else if (verb == u"close") {
        m_prepared.clear();
        m_started = false;
        m_playWhenLoaded = false;
        m_open = false;
        m_effect.stop();
        m_effect.setSource(QUrl());
    }
}

} // namespace vrim
