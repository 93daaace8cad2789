#pragma once

#include "clocks/dov/DovFace.h"
#include "settings/ChimeRules.h"
#include "settings/DataFolders.h"
#include "settings/RefreshSignal.h"
#include "shell/ClockFrame.h"

#include <functional>

namespace vrim {

class SoundPlayer;
class TimeSource;
class WindowOps;
class WindowRegistry;

// The Dov clock without its window: settings, face, chime and frame, run by load and tick.
class DovClock {
public:
    static constexpr ColourValue QuitColour = rgbValue(255, 0, 0);
    static constexpr ColourValue MenuColour = rgbValue(255, 192, 128);

    DovClock(DataFolders folders, TimeSource &time, SoundPlayer &player, WindowOps &ops,
             WindowRegistry &registry, ColourValue faceColour);

    void load();
    void tick();
    // ResetFace: every bar and marker back to FACE, then a settled pass.
    void resetFace();

    const DovFace &face() const { return m_face; }
    ClockFrame &frame() { return m_frame; }
    const ClockFrame &frame() const { return m_frame; }
    RefreshSignal &refresh() { return m_refresh; } // the caption of the hidden Label2
    ColourValue moveColour() const { return m_moveColour; }
    const QString &chime() const { return m_chime; }
    const QString &soundFile() const { return m_soundFile; }
    const QString &skinPicture() const { return m_skinPicture; }

    // The skin picture to show changed (load and every reload): the window loads it.
    void onSkinChanged(std::function<void()> handler) { m_skinChanged = std::move(handler); }
    // The face was reset by a drag or an on-top toggle, outside any tick: show it.
    void onFaceReset(std::function<void()> handler) { m_faceReset = std::move(handler); }
    // A settings file could not be used; the clock goes on with the defaults.
    void onProblem(std::function<void(const QString &)> handler) { m_problem = std::move(handler); }

private:
    void readSettings();
    // UpdateFace: the face's pass, settled, then the chime test.
    void updateFace();

    DataFolders m_folders;
    TimeSource &m_time;
    SoundPlayer &m_player;
    DovFace m_face;
    ClockFrame m_frame;
    Chimer m_chimer{chime::Dov};
    RefreshSignal m_refresh;
    ColourValue m_moveColour;
    QString m_skinPicture;
    QString m_soundFile;
    QString m_chime;
    std::function<void()> m_skinChanged;
    std::function<void()> m_faceReset;
    std::function<void(const QString &)> m_problem;
};

} // namespace vrim
