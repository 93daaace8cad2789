#pragma once

#include "base/Design.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace vrim {

class SoundPlayer;
class TimeSource;

namespace interval {
inline const QString NoChime = QStringLiteral("No chime");
inline const QString FiveMinutes = QStringLiteral("5 min");
inline const QString TenMinutes = QStringLiteral("10 min");
inline const QString FifteenMinutes = QStringLiteral("15 min");
inline const QString ThirtyMinutes = QStringLiteral("30 min");
inline const QString OneHour = QStringLiteral("1 hour");
// Every interval, in the order the Skin Managers offer them.
inline const std::array<QString, 6> All = {FiveMinutes,   TenMinutes, FifteenMinutes,
                                           ThirtyMinutes, OneHour,    NoChime};
} // namespace interval

// The check marks of the Sound On / Sound Off menu items: the sound-on state is the first.
struct SoundMenu {
    bool soundOn = false;
    bool soundOff = false;
    void chooseOn() { soundOn = true, soundOff = false; }
    void chooseOff() { soundOn = false, soundOff = true; }
    // At load, from the stored interval.
    void setFromInterval(const QString &chime);
};

// Where one design's chime and player differ from the others'.
struct ChimeDesign {
    // Due only in second 00 of a due minute; otherwise during the whole minute.
    bool needsSecondZero = true;
    QString playWord = QStringLiteral("Play");
    // At load the player is prepared even when the interval is "No chime", and opened at once.
    bool prepareWithoutChime = false;
    bool openAtLoad = false;
    // Load only asks for a reload, which the first pass then makes.
    bool reloadAtLoad = false;
    // A reload first closes the player with this word ("" for none)...
    QString closeOnReload;
    // ...checks Sound On when there is an interval...
    bool reloadChecksSoundOn = false;
    // ...and, once the player is prepared again, plays the new chime once (Open, Play, Close).
    bool sampleOnReload = false;
};

namespace chime {
// Every design's row, from its card (clocks/Designs.h). Lumbo chimes by a rule of its own and
// Perrin not at all.
const ChimeDesign &of(Design design);
} // namespace chime

// The interval's condition on the minutes alone: `units` is the minutes' units digit, `mm` the
// minutes as two characters (which may come from two readings).
bool intervalMatches(const QString &chime, int units, QStringView mm);

// The chime test of one pass. It reads the time itself; `unitsFromFace` is the units digit the
// face has already read in the same pass (the Dov clock tests "5 min" on it). Answers whether
// the chime is due in this pass, and may force Sound Off when the interval is "No chime".
bool chimeDue(const QString &chime, SoundMenu &menu, TimeSource &time, const ChimeDesign &design,
              std::optional<int> unitsFromFace = std::nullopt);

} // namespace vrim
