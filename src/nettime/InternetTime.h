#pragma once

#include "nettime/DaytimeClient.h"
#include "platform/ClockSetter.h"
#include "platform/TimeSource.h"
#include "platform/Timer.h"

#include <QObject>
#include <QString>
#include <QTime>
#include <QTimeZone>

#include <functional>
#include <memory>
#include <optional>

namespace vrim {

// frmClient's state and rules: asks a Daytime server for UTC, works out the local time with the
// system's zone database, names the zone from the zone table where it can, and sets the PC clock when Adjust
// PC Clock asked for it.
class InternetTime final : public QObject {
    Q_OBJECT
public:
    static inline const QString NoZoneMessage = QStringLiteral("Error getting subkey value.");

    InternetTime(TimeSource &time, std::unique_ptr<Timer> timeout, DaytimeClient::ReaderMaker readers,
                 ClockSetter &setter, std::optional<QTimeZone> zone);

    // The load: the zone's standard name (the message box text when there is no zone, else
    // empty), then the first query to the default server.
    QString load();
    void serverChosen();
    void connectClicked(const QString &listText);
    void adjustClicked();
    void disconnectClicked();

    bool connectEnabled() const { return m_connectEnabled; }
    bool adjustEnabled() const { return m_adjustEnabled; }
    const QString &utcText() const { return m_utcText; } // "  HH:MM:SS"
    const std::optional<QTime> &localTime() const { return m_local; }
    const std::optional<QTime> &pcClock() const { return m_pcClock; }
    const QString &status() const { return m_status; }
    const QString &zoneName() const { return m_zoneName; } // Windows name, else the zone's id
    const QString &hostName() const { return m_hostName; }

    // A masked field's text: "hh:mm:ss AM/PM", or its prompt when it holds nothing.
    static QString maskedText(const std::optional<QTime> &time);

Q_SIGNALS:
    // Anything shown changed.
    void changed();

private:
    void ask(bool adjust);
    void answered(const DaytimeClient::Answer &answer);

    TimeSource &m_time;
    ClockSetter &m_setter;
    std::optional<QTimeZone> m_zone;
    DaytimeClient m_client;

    QString m_zoneName;
    QString m_hostName; // empty until Connect picks one
    bool m_connectEnabled = false;
    bool m_adjustEnabled = false;
    bool m_adjusting = false; // the query in flight was asked for by Adjust PC Clock
    QString m_utcText;
    std::optional<QTime> m_local;
    std::optional<QTime> m_pcClock;
    QString m_status;
};

} // namespace vrim
