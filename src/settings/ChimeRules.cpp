#include "settings/ChimeRules.h"

#include "platform/SoundPlayer.h"
#include "platform/TimeSource.h"

#include <utility>

namespace vrim {

void SoundMenu::setFromInterval(const QString &chime)
{
    if (chime == interval::NoChime)
        chooseOff();
    else
        soundOn = true; // Sound Off keeps whatever mark it has, as it always did
}

bool intervalMatches(const QString &chime, int units, const QString &mm)
{
    if (chime == interval::FiveMinutes)
        return units == 0 || units == 5;
    if (chime == interval::TenMinutes)
        return mm == u"00" || mm == u"10" || mm == u"20" || mm == u"30" || mm == u"40" || mm.toInt() == 50;
    if (chime == interval::FifteenMinutes)
        return mm == u"00" || mm == u"15" || mm == u"30" || mm == u"45";
    if (chime == interval::ThirtyMinutes)
        return mm == u"00" || mm == u"30";
    if (chime == interval::OneHour)
        return mm == u"00";
    return false;
}

bool chimeDue(const QString &chime, SoundMenu &menu, TimeSource &time, const ChimeDesign &design,
              std::optional<int> unitsFromFace)
{
    if (chime == interval::NoChime && menu.soundOn) {
        menu.chooseOff();
        return false;
    }
    if (!menu.soundOn)
        return false;

    const QString first = time.timeText();
    const int units = unitsFromFace ? *unitsFromFace : first.mid(4, 1).toInt();
    const QString secs = first.mid(6, 2);
    const QString mm = first.mid(3, 1) + time.timeText().mid(4, 1);
    if (design.needsSecondZero && secs != u"00")
        return false;
    return intervalMatches(chime, units, mm);
}

} // namespace vrim
