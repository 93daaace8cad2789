#pragma once

#include "platform/WindowOps.h"

#include <QStringList>

namespace vrim::test {

class FakeWindowOps final : public WindowOps {
public:
    QStringList log;
    std::function<void()> dragEnded;

    void startDrag(std::function<void()> ended) override
    {
        log.append(QStringLiteral("drag"));
        dragEnded = std::move(ended);
    }
    void keepOnTop() override { log.append(QStringLiteral("on top")); }
    void releaseFromTop() override { log.append(QStringLiteral("released")); }
    void setEllipticShape(const QRect &) override { log.append(QStringLiteral("shape")); }
    void endDrag()
    {
        if (auto ended = std::exchange(dragEnded, nullptr))
            ended();
    }
};

} // namespace vrim::test
