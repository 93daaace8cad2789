#pragma once

#include "settings/ChimeRules.h"

#include <QString>

#include <optional>

namespace vrim {

class SoundPlayer;
class TimeSource;

// Sends the chime to the player each time the wall clock reaches a due time: a pass repeats
// the test many times within a due second (a due minute in Dov), but the chime sounds once as
// the clock comes to it and is not started over. A clock set back an hour, or the hour that
// comes twice as summer time ends, reaches its due times again and chimes again; but never
// twice within a minute of real time (a clock set back a few seconds over a due second).
class Chimer {
public:
    static constexpr qint64 QuietMs = 60 * 1000;

    explicit Chimer(const ChimeDesign &design)
        : m_design(design)
    {}
    const ChimeDesign &design() const { return m_design; }

    // Runs the test; when due, sends open and play if the clock has just come to this due time
    // and the last chime is a minute of real time ago.
    bool pass(const QString &chime, SoundMenu &menu, TimeSource &time, SoundPlayer &player,
              std::optional<int> unitsFromFace = std::nullopt);

private:
    ChimeDesign m_design;
    QString m_dueIn;                    // the due time the last pass was in ("HH:MM" or "HH:MM:SS"), or none
    std::optional<qint64> m_chimedAtMs; // on the clock that never jumps
};

} // namespace vrim
