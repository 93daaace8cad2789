#pragma once

#include "platform/Platform.h"
#include "support/FakeTime.h"
#include "support/RecordingPlayer.h"

#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

namespace vrim::test {

// A timer that only moves when the test says so.
class FakeTimer final : public Timer {
public:
    void start(int intervalMs) override
    {
        m_interval = intervalMs;
        m_active = true;
    }
    void stop() override { m_active = false; }
    bool isActive() const override { return m_active; }
    int interval() const { return m_interval; }

    // One timeout, as the event loop would deliver it: only while running.
    void elapse()
    {
        if (m_active)
            Q_EMIT timeout();
    }

private:
    int m_interval = 0;
    bool m_active = false;
};

// Writes down what it was asked to set; never touches the real clock.
class FakeClockSetter final : public ClockSetter {
public:
    void set(const ClockCorrection &correction, Done done) override
    {
        calls.push_back(correction);
        done(works, works ? QStringLiteral("PC clock set") : QStringLiteral("PC clock not set: refused"));
    }
    std::vector<ClockCorrection> calls;
    bool works = true;
};

class FakePlatform final : public Platform, public Messages, public Shell, public Choosers, public Pictures {
public:
    ClockSetter &clockSetter() override { return setter; }
    Choosers &choosers() override { return *this; }
    Pictures &pictures() override { return *this; }
    // The chooser answers from this list, one answer a call ("" is a cancel).
    QString chooseFile(const QString &filterList, int selected, const QString &lastName,
                       const QString &) override
    {
        chooserCalls.append(QStringLiteral("%1 [%2] from '%3'").arg(filterList).arg(selected).arg(lastName));
        return chooserAnswers.isEmpty() ? QString() : chooserAnswers.takeFirst();
    }
    // The colour chooser answers from this list, one answer a call (nullopt is a cancel).
    std::optional<ColourValue> chooseColour(ColourValue start) override
    {
        colourChooserStarts.append(start);
        return colourAnswers.isEmpty() ? std::nullopt : colourAnswers.takeFirst();
    }
    // Pictures whose name contains "broken" cannot be shown.
    QString problemShowing(const QString &path) override
    {
        return path.contains(QStringLiteral("broken")) ? QStringLiteral("not a picture") : QString();
    }

    Messages &messages() override { return *this; }
    Shell &shell() override { return *this; }
    TimeSource &time() override { return clock; }
    std::unique_ptr<SoundPlayer> makePlayer() override
    {
        auto player = std::make_unique<RecordingPlayer>();
        players.push_back(player.get());
        return player;
    }
    // No network unless the test gives one: a connection that never gets anywhere.
    std::unique_ptr<TcpReader> makeTcpReader() override
    {
        struct Silent : TcpReader {
            void connectTo(const QString &, quint16, Reports) override {}
            qint64 bytesAvailable() const override { return 0; }
            QByteArray read(qint64) override { return {}; }
            QString errorString() const override { return {}; }
        };
        return tcpReaders ? tcpReaders() : std::make_unique<Silent>();
    }
    std::unique_ptr<Timer> makeTimer() override
    {
        auto timer = std::make_unique<FakeTimer>();
        timers.push_back(timer.get());
        return timer;
    }

    void inform(const QString &text) override
    {
        shownMessages.append(text);
        if (whileMessageShown)
            whileMessageShown();
    }
    void warn(const QString &text) override { warnings.append(text); }
    bool openPage(const QString &address) override
    {
        openedPages.append(address);
        return pagesOpen;
    }
    bool startProgram(const QString &program, const QStringList &) override
    {
        startedPrograms.append(program);
        return programsStart;
    }

    FakeTime clock;
    FakeClockSetter setter;
    std::function<std::unique_ptr<TcpReader>()> tcpReaders;
    std::vector<FakeTimer *> timers;
    std::vector<RecordingPlayer *> players;
    QStringList warnings;
    QStringList chooserAnswers;
    QStringList chooserCalls;
    QList<std::optional<ColourValue>> colourAnswers;
    QList<ColourValue> colourChooserStarts;
    QStringList shownMessages;
    QStringList openedPages;
    QStringList startedPrograms;
    bool pagesOpen = true;
    bool programsStart = true;
    std::function<void()> whileMessageShown; // what the user does while the box is open
};

} // namespace vrim::test
