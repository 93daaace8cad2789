#pragma once

#include "base/Geometry.h"
#include "settings/DataFolders.h"
#include "settings/SettingsStore.h"

#include <QString>

#include <functional>
#include <optional>

namespace vrim {

class Platform;
class WindowRegistry;

// The running Lumbo clock as its preferences dialog changes it: the colours of its bar and of
// itself, and its bar's border. The sound switch is read only when the clock opens.
class LumboLook {
public:
    virtual ~LumboLook() = default;
    virtual void showLook(const LumboSettings &look) = 0;
};

// The Lumbo preferences dialog without its window. It works on the running clock at once;
// "Zeive" writes lumbi.prf whole and closes, "Candziel" closes and writes nothing.
class LumboPrefsModel {
public:
    enum class Colour { Outer, Inner };

    // `findLumbo` answers the open Lumbo clock, or nothing when none is open.
    LumboPrefsModel(DataFolders folders, WindowRegistry &registry, Platform &platform,
                    std::function<LumboLook *()> findLumbo);

    // Reads lumbi.prf and shows it on the running clock.
    void open();
    // Qt's colour chooser, starting from the colour it returned last; a cancel changes nothing.
    void chooseColour(Colour which);
    void switchBorder();
    void setSound(bool on);
    // Saves and closes; when the file cannot be saved it says why and the dialog stays open.
    bool zeive();
    void candziel();

    const LumboSettings &values() const { return m_values; }
    // The border button names what its next press does.
    QString borderCaption() const;
    bool soundChecked() const { return m_values.soundSwitch == 1; }

private:
    void showOnClock();

    SettingsStore m_store;
    WindowRegistry &m_registry;
    Platform &m_platform;
    std::function<LumboLook *()> m_findLumbo;
    LumboSettings m_values;
    ColourValue m_chooserColour = 0; // what the chooser returned last
};

} // namespace vrim
