#include "clocks/mip/MipClock.h"

#include "platform/TimeSource.h"

#include <QDir>
#include <QObject>

#include <utility>

namespace vrim {

MipClock::MipClock(const ClockContext &context)
    : Clock(Design::Mip, context)
{}

std::vector<FrameButton> MipClock::buttons() const
{
    // Exit first: the two small buttons lie over its upper part.
    return {
        {mip::control::Exit, {90, 1815, 825, 375}, QStringLiteral("Exit"), {}, true},
        {mip::control::OnTop, {180, 1800, 285, 165}, QStringLiteral("onTop"), rgbValue(192, 255, 192)},
        {mip::control::Move,
         {540, 1800, 285, 165},
         QStringLiteral("1 click Move - 2 clicks Preferences"),
         rgbValue(192, 255, 192)},
    };
}

void MipClock::passFace()
{
    if (!m_listsRead) {
        // The two picture lists, once: the buttons only switch between them.
        for (int slot = MipFace::hourSlot(1); slot <= MipFace::digitSlot(MipFace::ZeroDigit); ++slot) {
            const QString problem = readPicture(slot, MipFace::listPicture(slot));
            if (!problem.isEmpty())
                reportProblem(QObject::tr("The Mip clock cannot show its picture %1: %2.")
                                  .arg(MipFace::listPicture(slot), problem));
        }
        m_listsRead = true;
    }

    const QString now = time().timeText();
    int hour = now.left(2).toInt();
    setButtonColour(mip::control::Move, hour > 12 ? Afternoon : Morning);
    if (hour > 12)
        hour -= 12;
    m_mip.show(MipFace::Hour, MipFace::hourSlot(hour == 0 ? 12 : hour));

    RefreshSignal &label = refresh();
    const int tens = now.mid(3, 1).toInt();
    if (tens != 0) {
        m_mip.show(MipFace::Tens, MipFace::digitSlot(tens));
        if (label.carrier() == ZeroMarker)
            label.setCarrier({});
    } else if (label.carrier() != ZeroMarker) {
        showHelpsZero();
        label.setCarrier(ZeroMarker);
    }

    // A units 0 shows the digit list's zero, never the digit of the minute before.
    const int units = now.mid(4, 1).toInt();
    m_mip.show(MipFace::Units, MipFace::digitSlot(units == 0 ? MipFace::ZeroDigit : units));
}

void MipClock::showHelpsZero()
{
    const QString path = folders().path(u"\\Helps\\m0.gif");
    const QString problem = readPicture(MipFace::HelpsZeroSlot, path);
    if (problem.isEmpty()) {
        m_mip.show(MipFace::Tens, MipFace::HelpsZeroSlot);
        return;
    }
    // The clock runs on with its own zero; one word about it is enough.
    m_mip.show(MipFace::Tens, MipFace::digitSlot(MipFace::ZeroDigit));
    if (!std::exchange(m_zeroReported, true))
        reportProblem(
            QObject::tr("The Mip clock cannot show its zero picture %1: %2. It shows its own zero instead.")
                .arg(QDir::toNativeSeparators(path), problem));
}

} // namespace vrim
