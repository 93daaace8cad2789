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

bool intervalMatches(const QString &chime, int units, QStringView mm)
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

    // Read as views, not copies: this runs every pass of every clock that chimes.
    const QString first = time.timeText();
    const QString second = time.timeText();
    const int units = unitsFromFace ? *unitsFromFace : QStringView(first).mid(4, 1).toInt();
    const QStringView secs = QStringView(first).mid(6, 2);
    // The minute's tens from the first reading, its units from the second.
    QChar minute[2];
    qsizetype length = 0;
    for (const QStringView part : {QStringView(first).mid(3, 1), QStringView(second).mid(4, 1)})
        for (const QChar c : part)
            minute[length++] = c;
    if (design.needsSecondZero && secs != u"00")
        return false;
    return intervalMatches(chime, units, QStringView(minute, length));
}

} // namespace vrim
