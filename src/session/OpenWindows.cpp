#include "session/OpenWindows.h"

#include "base/Design.h"
#include "base/Geometry.h"
#include "base/WindowNames.h"

#include <QCoreApplication>

#include <algorithm>
#include <limits>

namespace vrim::openwindows {
namespace {

QString tr(const char *text) { return QCoreApplication::translate("OpenWindows", text); }

const QByteArray OnTop = "on-top";
constexpr int FarthestPlace = 1 << 20; // beyond any screen, but never near overflowing

// The distance from `point` to the nearest point of `area`, squared.
qint64 distanceSquared(const QPoint &point, const QRect &area)
{
    const qint64 dx = point.x() < area.left()    ? area.left() - point.x()
                      : point.x() > area.right() ? point.x() - area.right()
                                                 : 0;
    const qint64 dy = point.y() < area.top()      ? area.top() - point.y()
                      : point.y() > area.bottom() ? point.y() - area.bottom()
                                                  : 0;
    return dx * dx + dy * dy;
}

} // namespace

bool isKept(const QString &window)
{
    if (window == window::Stopwatch || window == window::InternetTime)
        return true;
    return std::any_of(AllDesigns.begin(), AllDesigns.end(),
                       [&](Design design) { return windowOf(design) == window; });
}

QByteArray format(const QList<Kept> &windows)
{
    QByteArray bytes = "# Vrim Clocks: the windows open when it last ran, to open again where they were\n";
    for (const Kept &kept : windows) {
        bytes += kept.name.toLatin1() + ' ' + QByteArray::number(kept.topLeft.x()) + ' ' +
                 QByteArray::number(kept.topLeft.y());
        if (kept.onTop)
            bytes += ' ' + OnTop;
        bytes += '\n';
    }
    return bytes;
}

std::variant<QList<Kept>, QString> parse(const QByteArray &bytes)
{
    QList<Kept> windows;
    const QList<QByteArray> lines = bytes.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QList<QByteArray> fields = line.simplified().split(' ');
        bool xOk = false, yOk = false;
        Kept kept;
        if (fields.size() >= 3) {
            kept.name = QString::fromLatin1(fields[0]);
            kept.topLeft = QPoint(fields[1].toInt(&xOk), fields[2].toInt(&yOk));
            kept.onTop = fields.size() == 4 && fields[3] == OnTop;
        }
        const bool usable = fields.size() >= 3 && fields.size() <= 4 && (fields.size() == 3 || kept.onTop) &&
                            isKept(kept.name) && xOk && yOk && std::abs(kept.topLeft.x()) < FarthestPlace &&
                            std::abs(kept.topLeft.y()) < FarthestPlace;
        if (!usable)
            return tr("has a line %1 that is not one of ours").arg(i + 1);
        if (std::any_of(windows.begin(), windows.end(), [&](const Kept &k) { return k.name == kept.name; }))
            return tr("names %1 twice").arg(kept.name);
        windows.append(kept);
    }
    return windows;
}

QPoint ontoScreens(const QRect &frame, const QList<QRect> &screens)
{
    // On a screen while a corner of it big enough to take hold of shows there.
    const QSize hold(std::min(frame.width(), 20), std::min(frame.height(), 20));
    const auto shows = [&](const QRect &screen) {
        const QRect seen = screen.intersected(frame);
        return seen.width() >= hold.width() && seen.height() >= hold.height();
    };
    if (screens.isEmpty() || std::any_of(screens.begin(), screens.end(), shows))
        return frame.topLeft();
    const QRect *nearest = nullptr;
    qint64 best = std::numeric_limits<qint64>::max();
    for (const QRect &screen : screens) {
        const qint64 distance = distanceSquared(frame.center(), screen);
        if (distance < best) {
            best = distance;
            nearest = &screen;
        }
    }
    return keptWithin(frame, *nearest);
}

} // namespace vrim::openwindows
