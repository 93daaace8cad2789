#pragma once

#include <QObject>
#include <QString>

namespace vrim {

// The chime player, driven by command words: "Open", "Play" ("play"), "Prev", "Close" ("close").
// A clock never reads anything back except the report that a command has completed.
class SoundPlayer : public QObject {
    Q_OBJECT
public:
    virtual ~SoundPlayer() = default;
    // Sets the wave file that the next "Open" opens. "Close" forgets it: until the next prepare,
    // "Open" and "Play" do nothing.
    virtual void prepare(const QString &waveFile) = 0;
    virtual void command(const QString &word) = 0;

Q_SIGNALS:
    void completed();
};

} // namespace vrim
