#pragma once

#include <QByteArray>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

#include <variant>

namespace vrim::openwindows {

// A window left open: its name, its frame's top left and whether it stays on top.
struct Kept {
    QString name;
    QPoint topLeft;
    bool onTop = false;
    friend bool operator==(const Kept &, const Kept &) = default;
};

// The windows that open again where they were left: the clocks, the stopwatch and Ostran Time.
bool isKept(const QString &window);

// The record, a line a window: "dov 412 230 on-top".
QByteArray format(const QList<Kept> &windows);
// The windows of a record, or why it cannot be used (in words to follow "it "); a record with
// any line that is not ours is not used at all.
std::variant<QList<Kept>, QString> parse(const QByteArray &bytes);

// Where a window of the size of `frame` opens: at its place while a corner of it big enough to
// take hold of lies on a screen, otherwise as near it as it fits on the nearest screen.
QPoint ontoScreens(const QRect &frame, const QList<QRect> &screens);

} // namespace vrim::openwindows
