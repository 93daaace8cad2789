#pragma once

#include "platform/WindowOps.h"

#include <QStringList>

namespace vrim::test {

class FakeWindowOps final : public WindowOps {
public:
    QStringList log;
    std::function<void()> dragEnded;
    int x = 0;                 // the window's left edge, pixels
    int screen = 1280;         // the screen's width, pixels
    bool onTopPossible = true; // false: as on Wayland

    void startDrag(std::function<void()> ended) override
    {
        log.append(QStringLiteral("drag"));
        dragEnded = std::move(ended);
    }
    void keepOnTop() override { log.append(QStringLiteral("on top")); }
    void releaseFromTop() override { log.append(QStringLiteral("released")); }
    bool canKeepOnTop() const override { return onTopPossible; }
    void setEllipticShape(const QRect &bounds, const QRect &hole) override
    {
        const auto text = [](const QRect &r) {
            return QString::asprintf("%d,%d-%d,%d", r.left(), r.top(), r.right() + 1, r.bottom() + 1);
        };
        log.append(QStringLiteral("shape ") + text(bounds) + QStringLiteral(" less ") + text(hole));
    }
    int left() const override { return x; }
    int screenWidth() const override { return screen; }
    void moveLeft(int left) override { x = left; }
    void endDrag()
    {
        if (auto ended = std::exchange(dragEnded, nullptr))
            ended();
    }
};

} // namespace vrim::test
