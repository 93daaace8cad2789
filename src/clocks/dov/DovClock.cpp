#include "clocks/dov/DovClock.h"

#include "clocks/SettledPass.h"
#include "platform/SoundPlayer.h"
#include "settings/SettingsStore.h"

namespace vrim {

DovClock::DovClock(DataFolders folders, TimeSource &time, SoundPlayer &player, WindowOps &ops,
                   WindowRegistry &registry, ColourValue faceColour)
    : m_folders(std::move(folders))
    , m_time(time)
    , m_player(player)
    , m_face(faceColour)
    , m_frame(frame::dov(), registry, ops, &player)
    , m_moveColour(faceColour)
{
    const auto afterFrameStep = [this] {
        resetFace();
        if (m_faceReset)
            m_faceReset();
    };
    m_frame.onAfterDrag(afterFrameStep);
    m_frame.onAfterToggle(afterFrameStep);
}

void DovClock::readSettings()
{
    const SettingsStore store(m_folders);
    const auto skin = store.readSkin(Design::Dov);
    const auto sound = store.readSound(Design::Dov);
    for (const QString &problem : {skin.problem, sound.problem})
        if (!problem.isEmpty() && m_problem)
            m_problem(problem);
    m_skinPicture = DataFolders::resolveStored(skin.value.picture);
    m_soundFile = DataFolders::resolveStored(sound.value.sound);
    m_chime = sound.value.interval;
}

void DovClock::load()
{
    m_moveColour = frame::LightGreen;
    readSettings();
    if (m_skinChanged)
        m_skinChanged();
    m_frame.soundMenu().setFromInterval(m_chime);
    m_player.prepare(m_soundFile);
    m_player.command(QStringLiteral("Open"));
    m_frame.load();
    updateFace();
}

void DovClock::resetFace()
{
    m_face.reset(m_time);
    settle(m_face, [this] { m_face.update(m_time); });
}

void DovClock::updateFace()
{
    m_face.update(m_time);
    settle(m_face, [this] { m_face.update(m_time); });
    m_chimer.pass(m_chime, m_frame.soundMenu(), m_time, m_player, m_face.minuteUnits());
}

void DovClock::tick()
{
    if (m_refresh.take()) {
        readSettings();
        resetFace();
        if (m_skinChanged)
            m_skinChanged();
        if (m_chime != interval::NoChime) {
            m_frame.soundMenu().soundOn = true;
            m_player.prepare(m_soundFile);
            resetFace();
        } else {
            m_frame.soundMenu().chooseOff();
        }
    }
    updateFace();
}

} // namespace vrim
