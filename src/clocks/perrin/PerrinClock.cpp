#include "clocks/perrin/PerrinClock.h"

#include "platform/TimeSource.h"
#include "platform/WindowOps.h"

#include <cmath>

namespace vrim {

PerrinClock::PerrinClock(const ClockContext &context)
    : Clock(Design::Perrin, context)
    , m_ops(context.ops)
    , m_leftTwips(frame().design().twips.left())
{
    const QRect client(QPoint(0, 0), frame().design().twips.size());
    m_face.add({.name = QStringLiteral("Perrin"), .twips = client, .fill = Background});
    // The picture is larger than the oval, so the window's shape cuts its edges off.
    m_face.add({.name = QStringLiteral("Image1"),
                .twips = {-195, -195, 2430, 2400},
                .picture = 0,
                .fit = PictureFit::Natural});
}

std::vector<FrameButton> PerrinClock::buttons() const
{
    // A positive number turned into text has a space before it: " 13".
    const QString hour = m_hourPicture > 0 ? QLatin1Char(' ') + QString::number(m_hourPicture) : QString();
    return {
        {.name = perrin::control::Minutes,
         .twips = {690, 1230, 405, 225},
         .tip = QStringLiteral("Minutes"),
         .colour = rgbValue(255, 255, 255),
         .label = ButtonLabel{QStringLiteral("minutlbl"), {135, 0}, m_minutes, rgbValue(255, 255, 255)}},
        {.name = perrin::control::HotSpot, .twips = {540, 570, 255, 225}, .tip = hour, .invisible = true},
    };
}

QString PerrinClock::picturePath(int hourPicture)
{
    return QStringLiteral(":/perrin/hour-%1.png").arg(hourPicture, 2, 10, QLatin1Char('0'));
}

int PerrinClock::pixelsOfTwips(double twips)
{
    // Halves go right, whatever the sign, so every pixel covers the same 15 twips.
    return int(std::floor(twips / TwipsPerPixel + 0.5));
}

void PerrinClock::passFace()
{
    const QString now = time().timeText();
    const int hour = now.left(2).toInt();
    const int picture = hour == 0 ? 24 : hour;
    if (picture != m_hourPicture) {
        m_hourPicture = picture;
        setPictures({picturePath(picture)});
    }
    const QString minutes = now.mid(3, 2);
    if (minutes != m_minutes) {
        m_minutes = minutes;
        creep();
    }
}

void PerrinClock::creep()
{
    // After a drag the window is where the user put it; otherwise the fraction carries on.
    double left = m_leftTwips;
    if (pixelsOfTwips(left) != m_ops.left())
        left = double(m_ops.left()) * TwipsPerPixel;
    if (left > NearLeftTwips)
        left -= StepTwips;
    else if (left < double(m_ops.screenWidth()) * TwipsPerPixel - RightKeepTwips)
        left += StepTwips;
    else
        return;
    m_leftTwips = left;
    m_ops.moveLeft(pixelsOfTwips(left));
}

void PerrinClock::resized(QSize pixels, bool minimised)
{
    if (minimised)
        return;
    // The ellipse fills the window's top-left part; a small hole is cut at its upper left.
    m_ops.setEllipticShape(QRect(0, 0, pixels.width() - 100, pixels.height() - 70), QRect(1, 1, 19, 9));
}

} // namespace vrim
