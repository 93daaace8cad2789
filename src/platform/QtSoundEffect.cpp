// The sound module: Qt Multimedia behind SoundEffect, built as modules/sound.so.
#include "platform/SoundEffect.h"

#include <QSoundEffect>

namespace vrim {
namespace {

class QtSoundEffect final : public SoundEffect {
public:
    void onChange(std::function<void()> playingChanged, std::function<void()> statusChanged) override
    {
        QObject::connect(&m_effect, &QSoundEffect::playingChanged, &m_effect, std::move(playingChanged));
        QObject::connect(&m_effect, &QSoundEffect::statusChanged, &m_effect, std::move(statusChanged));
    }
    void setSource(const QUrl &source) override { m_effect.setSource(source); }
    QUrl source() const override { return m_effect.source(); }
    Status status() const override
    {
        switch (m_effect.status()) {
        case QSoundEffect::Null:
            return Status::Null;
        case QSoundEffect::Loading:
            return Status::Loading;
        case QSoundEffect::Ready:
            return Status::Ready;
        case QSoundEffect::Error:
            return Status::Error;
        }
        return Status::Error;
    }
    bool isPlaying() const override { return m_effect.isPlaying(); }
    void play() override { m_effect.play(); }
    void stop() override { m_effect.stop(); }

private:
    QSoundEffect m_effect;
};

} // namespace
} // namespace vrim

extern "C" Q_DECL_EXPORT vrim::SoundEffect *vrim_new_sound_effect() { return new vrim::QtSoundEffect; }
