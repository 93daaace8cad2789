#pragma once

#include <QDateTime>
#include <QString>

#include <functional>

namespace vrim {

// What setting the PC clock is asked to do: make the clock read `instant` at the moment the PC
// clock read `instant - correctionMs`. The correction stays right however long the user takes
// to authorise it.
struct ClockCorrection {
    QDateTime instant; // UTC
    qint64 correctionMs = 0;
};

// Sets the PC clock. `done` is called once, later or at once, with whether it worked and what
// to tell the user.
class ClockSetter {
public:
    virtual ~ClockSetter() = default;
    using Done = std::function<void(bool ok, const QString &message)>;
    virtual void set(const ClockCorrection &correction, Done done) = 0;
};

} // namespace vrim
