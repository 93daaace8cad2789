#include "nettime/DaytimeHosts.h"
#include "nettime/InternetTimeWindow.h"
#include "support/ProgramRig.h"
#include "ui/WidgetWindow.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

using namespace vrim;
using namespace vrim::test;

namespace {

// A Daytime server on the loopback: each connection gets `reply` in `pieces` writes, then is
// closed, unless `silent` (accepts and says nothing) or `keepOpen`.
class LocalDaytime {
public:
    QByteArray reply = "\n61380 26-12-06 10:40:07 00 0 0 608.1 UTC(NIST) * \n";
    int pieces = 1;
    bool silent = false;
    bool keepOpen = false;
    std::function<void()> beforeReply;
    QTcpServer server;

    LocalDaytime()
    {
        QVERIFY(server.listen(QHostAddress::LocalHost));
        qputenv(daytime::OverrideVariable, "127.0.0.1:" + QByteArray::number(server.serverPort()));
        QObject::connect(&server, &QTcpServer::newConnection, [this] {
            while (QTcpSocket *peer = server.nextPendingConnection()) {
                if (silent)
                    continue;
                if (beforeReply)
                    beforeReply();
                const qsizetype step = std::max<qsizetype>(1, reply.size() / pieces);
                for (qsizetype at = 0; at < reply.size(); at += step) {
                    peer->write(reply.mid(at, step));
                    peer->flush();
                    peer->waitForBytesWritten(1000);
                }
                if (!keepOpen)
                    peer->disconnectFromHost();
            }
        });
    }
    ~LocalDaytime() { qunsetenv(daytime::OverrideVariable); }
    QString host() const { return QStringLiteral("127.0.0.1:%1").arg(server.serverPort()); }
};

} // namespace

class TestInternetTimeWindow : public QObject {
    Q_OBJECT

    struct Rig {
        LocalDaytime daytime;
        ProgramRig program{QStringLiteral("16:10:09")};
        FakeClockSetter &setter = program.platform.setter;
        InternetTimeWindow *window = nullptr;

        explicit Rig(std::optional<QTimeZone> zone = QTimeZone("Asia/Kolkata"))
        {
            program.platform.clock.systemZone = zone;
        }
        void open()
        {
            program.program.registry().show(window::InternetTime);
            auto *handle =
                dynamic_cast<WidgetWindow *>(program.program.registry().window(window::InternetTime));
            window = handle ? qobject_cast<InternetTimeWindow *>(handle->widget()) : nullptr;
            QVERIFY(window);
        }
        template <typename T>
        T *control(const char *name) const
        {
            return window->findChild<T *>(QString::fromLatin1(name));
        }
        QPushButton *button(const char *name) const { return control<QPushButton>(name); }
        QString text(const char *name) const { return control<QLineEdit>(name)->text(); }
        QString status() const { return control<QLabel>("lblStatus")->text(); }
        // "connect adjust": which of the two are enabled, as "11", "10"...
        QString buttons() const
        {
            return QStringLiteral("%1%2")
                .arg(int(button("cmdConnect")->isEnabled()))
                .arg(int(button("Command2")->isEnabled()));
        }
        FakeTimer &timeout() { return *program.platform.timers.back(); }
    };

private Q_SLOTS:
    // The first query goes out as the window opens, Connect disabled until the reply. The local
    // time comes from the zone's own data; the zone is named from the table where a row has it,
    // else by its id.
    void theFirstQueryShowsTheLocalTime_data()
    {
        QTest::addColumn<QTimeZone>("zone");
        QTest::addColumn<QString>("local");
        QTest::addColumn<QString>("name");
        // clang-format off
        QTest::newRow("India, minutes carried") << QTimeZone("Asia/Kolkata") << "04:10:07 PM" << "India Standard Time";
        QTest::newRow("a machine on UTC") << QTimeZone::utc() << "10:40:07 AM" << "UTC";
        QTest::newRow("Lord Howe, half an hour of summer time") << QTimeZone("Australia/Lord_Howe") << "09:40:07 PM" << "Australia/Lord_Howe";
        // clang-format on
    }
    void theFirstQueryShowsTheLocalTime()
    {
        QFETCH(QTimeZone, zone);
        QFETCH(QString, local);
        QFETCH(QString, name);
        Rig rig(zone);
        rig.open();
        QCOMPARE(rig.buttons(), QStringLiteral("00"));
        QCOMPARE(rig.text("LocalTime"), QStringLiteral("__:__:__ __"));
        QTRY_COMPARE(rig.buttons(), QStringLiteral("11"));
        QCOMPARE(rig.text("txtOutput"), QStringLiteral("  10:40:07"));
        QCOMPARE(rig.text("LocalTime"), local);
        QCOMPARE(rig.text("txt1"), QStringLiteral("04:10:09 PM"));
        QCOMPARE(rig.status(),
                 QStringLiteral("Time from %1, local time in %2").arg(rig.daytime.host(), name));
        QVERIFY(rig.setter.calls.empty());
    }

    void buttonStatesFollowEachEvent()
    {
        Rig rig;
        rig.open();
        QTRY_COMPARE(rig.buttons(), QStringLiteral("11"));
        auto *servers = rig.control<QComboBox>("Combo1");
        servers->setCurrentIndex(3);
        Q_EMIT servers->activated(3);
        QCOMPARE(rig.buttons(), QStringLiteral("10"));
        rig.button("cmdConnect")->click();
        QCOMPARE(rig.buttons(), QStringLiteral("00"));
        QCOMPARE(rig.window->model().hostName(), QStringLiteral("time-d-wwv.nist.gov"));
        QTRY_COMPARE(rig.buttons(), QStringLiteral("11"));
        QVERIFY(rig.setter.calls.empty()); // Connect only shows

        rig.daytime.silent = true;
        rig.button("cmdConnect")->click();
        QCOMPARE(rig.buttons(), QStringLiteral("00"));
        rig.button("Command1")->click();
        QCOMPARE(rig.buttons(), QStringLiteral("10"));
        rig.timeout().elapse(); // the dropped query says nothing more
        QCOMPARE(rig.buttons(), QStringLiteral("10"));
    }

    // The reply as it comes: in one piece, in three, a byte at a time.
    void adjustSetsTheWholeInstant_data()
    {
        QTest::addColumn<int>("pieces");
        QTest::newRow("one packet") << 1;
        QTest::newRow("a byte at a time") << 1000;
    }
    void adjustSetsTheWholeInstant()
    {
        QFETCH(int, pieces);
        Rig rig;
        rig.open();
        QTRY_COMPARE(rig.buttons(), QStringLiteral("11"));
        rig.daytime.reply = "\n61380 26-12-06 12:18:43 00 0 0 608.1 UTC(NIST) * \n";
        rig.daytime.pieces = pieces;
        const qint64 pcWall =
            QDateTime(QDate(2026, 12, 6), QTime(12, 18, 40), QTimeZone::utc()).toMSecsSinceEpoch();
        rig.program.platform.clock.monoMs = 1000;
        // The reply comes 600 ms after the connection was asked for.
        rig.daytime.beforeReply = [&rig, pcWall] {
            rig.program.platform.clock.monoMs = 1600;
            rig.program.platform.clock.wallMs = pcWall;
        };
        rig.button("Command2")->click();
        QTRY_COMPARE(rig.setter.calls.size(), size_t(1));
        const QDateTime expected(QDate(2026, 12, 6), QTime(12, 18, 43, 300), QTimeZone::utc());
        QCOMPARE(rig.setter.calls[0].instant, expected);
        QCOMPARE(rig.setter.calls[0].correctionMs, 3300);
        QCOMPARE(rig.status(), QStringLiteral("PC clock set"));

        rig.setter.works = false;
        rig.button("Command2")->click();
        QTRY_COMPARE(rig.setter.calls.size(), size_t(2));
        QCOMPARE(rig.status(), QStringLiteral("PC clock not set: refused"));
    }

    // What a query that went wrong leaves in the window: the status names the host really asked,
    // no earlier answer stands beside the error, and nothing is set.
    void nothingIsSetFromABadReply_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QString>("server"); // "answers", "silent" or "gone"
        QTest::addColumn<std::optional<QTimeZone>>("zone");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QStringList>("fields"); // UTC, local, PC clock
        QTest::addColumn<QString>("buttons");
        const std::optional<QTimeZone> india = QTimeZone("Asia/Kolkata");
        const QByteArray unhealthy("\n61380 26-12-06 12:18:43 00 0 4 608.1 UTC(NIST) * \n");
        const QStringList cleared{QString(), "__:__:__ __", "__:__:__ __"};
        const QByteArray healthy("\n61380 26-12-06 12:18:43 00 0 0 608.1 UTC(NIST) * \n");
        // clang-format off
        QTest::newRow("unhealthy: shown, never offered") << unhealthy << "answers" << india
            << "%1 says its time may be wrong (unhealthy), local time in India Standard Time; the PC clock was not set"
            << QStringList{"  12:18:43", "05:48:43 PM", "04:10:09 PM"} << "10";
        QTest::newRow("closed at once") << QByteArray() << "answers" << india << "%1 closed the connection without a reply" << cleared << "11";
        QTest::newRow("over 1 KiB") << QByteArray(5000, '7') << "answers" << india << "Unrecognised reply from %1" << cleared << "11";
        QTest::newRow("no reply") << QByteArray() << "silent" << india << "No reply from %1 in 10 s" << cleared << "11";
        QTest::newRow("refused") << QByteArray() << "gone" << india << "Connection refused by %1" << cleared << "11";
        QTest::newRow("no zone") << healthy << "answers" << std::optional<QTimeZone>()
            << "The system has no time zone; the PC clock was not set" << QStringList{"  12:18:43", "__:__:__ __", "__:__:__ __"} << "10";
        // clang-format on
    }
    void nothingIsSetFromABadReply()
    {
        QFETCH(QByteArray, reply);
        QFETCH(QString, server);
        QFETCH(std::optional<QTimeZone>, zone);
        QFETCH(QString, status);
        QFETCH(QStringList, fields);
        QFETCH(QString, buttons);
        Rig rig(zone);
        rig.open();
        QCOMPARE(rig.program.platform.warnings,
                 zone ? QStringList() : QStringList{QStringLiteral("Error getting subkey value.")});
        QTRY_VERIFY(rig.button("cmdConnect")->isEnabled());
        const QString host = rig.daytime.host();
        rig.daytime.reply = reply;
        rig.daytime.silent = server == QLatin1String("silent");
        if (server == QLatin1String("gone"))
            rig.daytime.server.close();      // nobody listens there any more
        rig.window->model().adjustClicked(); // whether or not the button is enabled
        QCOMPARE(rig.status(), QStringLiteral("Asking %1...").arg(host));
        if (rig.daytime.silent)
            rig.timeout().elapse();
        QTRY_VERIFY(rig.status().startsWith(QStringLiteral("Asking")) == false);
        QCOMPARE(rig.status(), QString(status).replace(QStringLiteral("%1"), host));
        QVERIFY(rig.setter.calls.empty());
        QCOMPARE((QStringList{rig.text("txtOutput"), rig.text("LocalTime"), rig.text("txt1")}), fields);
        QCOMPARE(rig.buttons(), buttons);
    }

    // A server that sends its time and keeps the connection open has answered with its line, long
    // before the time is up; a server setting that cannot be asked says why.
    void aReplyIsReadAsItComes()
    {
        Rig rig;
        rig.daytime.keepOpen = true;
        rig.open();
        QTRY_COMPARE(rig.buttons(), QStringLiteral("11"));
        QCOMPARE(rig.text("LocalTime"), QStringLiteral("04:10:07 PM"));
        QVERIFY(!rig.timeout().isActive());

        // Without a whole line the reply may still be coming: it is read when the time is up.
        rig.daytime.reply = "61380 26-12-06 10:40:07 00 0 0 608.1 UTC(NIST) *";
        rig.button("cmdConnect")->click();
        QTest::qWait(50); // the reply arrives; the connection stays open
        QCOMPARE(rig.buttons(), QStringLiteral("00"));
        QVERIFY(rig.timeout().isActive());
        rig.timeout().elapse();
        QCOMPARE(rig.text("LocalTime"), QStringLiteral("04:10:07 PM"));
        QCOMPARE(rig.buttons(), QStringLiteral("11"));

        qputenv(daytime::OverrideVariable, "no host:13");
        rig.button("cmdConnect")->click();
        QCOMPARE(rig.status(), QStringLiteral("VRIM_DAYTIME_SERVER \"no host:13\" is not host[:port]"));
        QCOMPARE(rig.buttons(), QStringLiteral("10"));
    }
};

QTEST_MAIN(TestInternetTimeWindow)
#include "tst_internettimewindow.moc"
