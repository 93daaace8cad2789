#pragma once

#include <QString>

#include <functional>

namespace vrim {

// The chime player, driven by command words: "Open", "Play" ("play"), "Prev", "Close" ("close").
// A clock never reads anything back except the report that a command has completed.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Sets the wave file that the next "Open" opens. "Close" forgets it: until the next prepare,
    // "Open" and "Play" do nothing.
    virtual void prepare(const QString &waveFile) = 0;
    virtual void command(const QString &word) = 0;
    void onCompleted(std::function<void()> handler) { m_completed = std::move(handler); }

protected:
    void completed()
    {
        if (m_completed)
            m_completed();
    }

private:
    std::function<void()> m_completed;
};

} // namespace vrim
