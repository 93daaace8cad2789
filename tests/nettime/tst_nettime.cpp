// Internet time: the Daytime reply parser, the server setting and the zones, then the window
// against a Daytime server on the loopback.
#include "nettime/DaytimeHosts.h"
#include "nettime/DaytimeReply.h"
#include "nettime/InternetTime.h"
#include "nettime/InternetTimeWindow.h"
#include "nettime/ZoneTable.h"
#include "platform/SocketTcpReader.h"
#include "support/ProgramRig.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdlib>
#include <ctime>

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

class TestNettime : public QObject {
    Q_OBJECT

    struct Rig {
        LocalDaytime daytime;
        ProgramRig program{QStringLiteral("16:10:09")};
        FakeClockSetter &setter = program.platform.setter;
        InternetTimeWindow *window = nullptr;

        explicit Rig(std::optional<QTimeZone> zone = QTimeZone("Asia/Kolkata"))
        {
            program.platform.clock.systemZone = zone;
            // The program's own reader, on real sockets.
            program.platform.tcpReaders = [] { return std::make_unique<SocketTcpReader>(); };
        }
        void open()
        {
            window = program.show<InternetTimeWindow>(window::InternetTime);
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
        // Which of Connect and Adjust are enabled, as "11", "10"...
        QString buttons() const
        {
            return QString::number(button("cmdConnect")->isEnabled()) +
                   QString::number(button("Command2")->isEnabled());
        }
        FakeTimer &timeout() { return *program.platform.timers.back(); }
    };

private Q_SLOTS:
    // Each reply read as healthy, unhealthy or refused; the time of those read is 12:18:43 UTC.
    void replies()
    {
        const QDateTime stamp(QDate(2026, 12, 6), QTime(12, 18, 43), QTimeZone::utc()); // MJD 61380
        const std::tuple<const char *, QByteArray, const char *> rows[] = {
            // clang-format off
            {"NIST, healthy", "\n61380 26-12-06 12:18:43 00 0 0 608.1 UTC(NIST) * \n", "healthy"},
            {"NIST, on time mark", "\n61380 26-12-06 12:18:43 00 0 0  50.0 UTC(NIST) # \r\n", "healthy"},
            {"NIST, unhealthy", "\n61380 26-12-06 12:18:43 00 0 2 608.1 UTC(NIST) * \n", "unhealthy"},
            {"day month year UTC", "06 DEC 2026 12:18:43 UTC\r\n", "healthy"},
            {"weekday, GMT", "Sunday, December 6, 2026 12:18:43 GMT\n", "healthy"},
            {"RFC 867 example, UTC", "Sunday, December 6, 2026 12:18:43-UTC", "healthy"},
            {"empty", QByteArray(), "refused"},
            {"over 1 KiB", (QByteArray("\n61380 26-12-06 12:18:43 00 0 0 608.1 UTC(NIST) * ") + QByteArray(1000, ' ') + '\n'), "refused"},
            {"no UTC marker", "06 DEC 2026 12:18:43\n", "refused"},
            {"another zone", "Sunday, December 6, 2026 12:18:43-PST", "refused"},
            {"marker twice", "06 DEC 2026 12:18:43 UTC GMT", "refused"},
            {"hour 24", "\n61380 26-12-06 24:18:43 00 0 0 608.1 UTC(NIST) * \n", "refused"},
            {"leap second", "\n61380 26-12-06 23:59:60 00 1 0 608.1 UTC(NIST) * \n", "refused"},
            {"31 November", "31 NOV 2026 12:18:43 UTC", "refused"},
            {"wrong day number", "\n61379 26-12-06 12:18:43 00 0 0 608.1 UTC(NIST) * \n", "refused"},
            {"NIST, field missing", "\n61380 26-12-06 12:18:43 00 0 608.1 UTC(NIST) * \n", "refused"},
            {"NIST, sign in a field", "\n61380 26-12-06 12:18:43 -0 0 0 608.1 UTC(NIST) * \n", "refused"},
            {"NUL in the time", QByteArray("06 DEC 2026 12:1\08:43 UTC", 25), "refused"},
            {"two lines", "06 DEC 2026 12:18:43 UTC\n06 DEC 2026 12:18:44 UTC\n", "refused"},
            {"non-ASCII digits", "06 DEC 2026 12:18:4\xd9\xa3 UTC", "refused"},
            // clang-format on
        };
        for (const auto &[name, reply, reading] : rows) {
            const std::optional<daytime::Reply> read = daytime::parse(reply);
            const char *got = !read ? "refused" : read->healthy ? "healthy" : "unhealthy";
            QVERIFY2(!qstrcmp(got, reading) && (!read || read->utc == stamp), name);
        }
    }

    // VRIM_DAYTIME_SERVER: host[:port], "" for a setting that is refused.
    void overrideSetting()
    {
        const std::pair<QString, QString> rows[] = {{"daytime.example", "daytime.example 13"},
                                                    {"127.0.0.1:1313", "127.0.0.1 1313"},
                                                    {"[::1]", "::1 13"},
                                                    {"::1", ""},
                                                    {"host:0", ""},
                                                    {"host:65536", ""},
                                                    {"host:+13", ""},
                                                    {"no host:13", ""},
                                                    {"", ""}};
        for (const auto &[setting, endpoint] : rows) {
            const auto read = daytime::parseEndpoint(setting);
            QCOMPARE(read ? QStringLiteral("%1 %2").arg(read->host).arg(read->port) : QString(), endpoint);
        }
    }

    // The offset of a table row's name as the system reports it; anything else is no row.
    void onlyTheExactNameIsFound()
    {
        QCOMPARE(zones::offsetOf(QStringLiteral("Newfoundland Standard Time")).value_or(QString()),
                 QStringLiteral("-03:30"));
        for (const QString &name :
             {QStringLiteral("yakutsk standard time"), QStringLiteral("Yakutsk Standard Time "),
              QString(QStringLiteral("India Standard Time") + QChar(0)), QStringLiteral("UTC"), QString()})
            QVERIFY2(!zones::offsetOf(name), qPrintable(name));
    }

    // The seconds either side of a change to summer time, which the whole-database loop below
    // (two middays a year) never meets.
    void theSecondsAroundAChange()
    {
        for (const auto &[second, local] :
             {std::pair{59 * 60 + 59, "01:59:59"}, std::pair{3600, "03:00:00"}}) {
            const QDateTime utc(QDate(2026, 3, 29), QTime(0, 0).addSecs(second), QTimeZone::utc());
            const std::optional<QTime> worked = zones::localTimeAt(utc, QTimeZone("Europe/Berlin"));
            QCOMPARE(worked.value_or(QTime()).toString(QStringLiteral("HH:mm:ss")), QLatin1String(local));
        }
    }

    // Every zone of the system's database, in winter and in summer, against the C library's own
    // reading of the same zone files. A zone whose rules changed since the table was written, or
    // whose data calls winter its daylight-saving time (Dublin), shows up here.
    void everyZoneAgreesWithTheCLibrary()
    {
        const QString zoneinfo = QStringLiteral("/usr/share/zoneinfo");
        QList<QByteArray> ids;
        QDirIterator files(zoneinfo, QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            const QByteArray id = QDir(zoneinfo).relativeFilePath(path).toLatin1();
            if (id.startsWith("posix/") || id.startsWith("right/") || id == "localtime")
                continue; // copies of the whole database, and this machine's own choice
            QFile file(path);
            if (file.open(QIODevice::ReadOnly) && file.read(4) == "TZif")
                ids << id;
        }
        std::sort(ids.begin(), ids.end());
        QVERIFY2(ids.size() > 300, "the system's zone database is missing");

        const std::optional<QByteArray> savedTz =
            qEnvironmentVariableIsSet("TZ") ? std::optional(qgetenv("TZ")) : std::nullopt;
        QStringList wrong;
        for (const QByteArray &id : std::as_const(ids)) {
            for (const int month : {1, 7}) {
                const QDateTime utc(QDate(2026, month, 15), QTime(12, 42, 12), QTimeZone::utc());
                setenv("TZ", QByteArray(':' + zoneinfo.toLatin1() + '/' + id).constData(), 1);
                tzset();
                const std::time_t seconds = std::time_t(utc.toSecsSinceEpoch());
                std::tm local{};
                char expected[32] = {}; // left empty where the C library cannot read the zone
                if (localtime_r(&seconds, &local))
                    std::strftime(expected, sizeof expected, "%I:%M:%S %p", &local);
                const QString shown = InternetTime::maskedText(zones::localTimeAt(utc, QTimeZone(id)));
                if (shown != QLatin1String(expected))
                    wrong << QString::asprintf("%s in month %d: %s, not %s", id.constData(), month,
                                               qPrintable(shown), expected);
            }
        }
        savedTz ? setenv("TZ", savedTz->constData(), 1) : unsetenv("TZ");
        tzset();
        for (const QString &line : std::as_const(wrong))
            qWarning().noquote() << line; // the whole list: a failure message is cut short
        QVERIFY2(wrong.isEmpty(),
                 qPrintable(QString::number(wrong.size()) + u" local times wrong, first " + wrong.value(0)));
    }

    void aliasesAreFoundThroughTheirZoneFiles()
    {
        QCOMPARE(zones::windowsNameOf("Asia/Calcutta"), QStringLiteral("India Standard Time"));
        if (QFile::exists(QStringLiteral("/usr/share/zoneinfo/Asia/Kolkata")))
            QCOMPARE(zones::windowsNameOf("Asia/Kolkata"), QStringLiteral("India Standard Time"));

        QTemporaryDir zoneinfo;
        TempProgramFolder::write(zoneinfo.filePath(QStringLiteral("Asia/Calcutta")), "TZif India");
        TempProgramFolder::write(zoneinfo.filePath(QStringLiteral("Far/Alias")), "TZif India");
        TempProgramFolder::write(zoneinfo.filePath(QStringLiteral("Far/Other")), "TZif Elsewhere");
        QCOMPARE(zones::windowsNameOf("Far/Alias", zoneinfo.path()), QStringLiteral("India Standard Time"));
        QCOMPARE(zones::windowsNameOf("Far/Other", zoneinfo.path()), QString());
        QCOMPARE(zones::windowsNameOf("../Far/Alias", zoneinfo.path()), QString());
        QCOMPARE(zones::windowsNameOf("Far/Missing", zoneinfo.path()), QString());
    }

    // The first query goes out as the window opens, Connect disabled until the reply. The local
    // time comes from the zone's own data; the zone is named from the table where a row has it,
    // else by its id.
    void theFirstQueryShowsTheLocalTime()
    {
        const std::tuple<QTimeZone, QString, QString> rows[] = {
            // the zone, the local time, its name
            // clang-format off
            {QTimeZone("Asia/Kolkata"), "04:10:07 PM", "India Standard Time"}, // minutes carried
            {QTimeZone::utc(), "10:40:07 AM", "UTC"},
            {QTimeZone("Australia/Lord_Howe"), "09:40:07 PM", "Australia/Lord_Howe"}, // half an hour of summer time
            // clang-format on
        };
        for (const auto &[zone, local, name] : rows) {
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

    // The reply as it comes: in one piece, a byte at a time.
    void adjustSetsTheWholeInstant()
    {
        for (const int pieces : {1, 1000}) {
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
    }

    // What a query that went wrong leaves in the window: the status names the host really asked,
    // no earlier answer stands beside the error, and nothing is set.
    void nothingIsSetFromABadReply()
    {
        const std::optional<QTimeZone> india = QTimeZone("Asia/Kolkata");
        const QByteArray unhealthy("\n61380 26-12-06 12:18:43 00 0 4 608.1 UTC(NIST) * \n");
        const QStringList cleared{QString(), "__:__:__ __", "__:__:__ __"};
        const QByteArray healthy("\n61380 26-12-06 12:18:43 00 0 0 608.1 UTC(NIST) * \n");
        // Each row: its name, the reply, the server ("answers", "silent" or "gone"), the system's
        // zone, the status, the fields (UTC, local, PC clock), the buttons.
        const std::tuple<const char *, QByteArray, QString, std::optional<QTimeZone>, QString, QStringList,
                         QString>
            rows[] = {
                // clang-format off
            {"unhealthy: shown, never offered", unhealthy, "answers", india,
             "%1 says its time may be wrong (unhealthy), local time in India Standard Time; the PC clock was not set",
             {"  12:18:43", "05:48:43 PM", "04:10:09 PM"}, "10"},
            {"closed at once", "", "answers", india, "%1 closed the connection without a reply", cleared, "11"},
            {"over 1 KiB", QByteArray(5000, '7'), "answers", india, "Unrecognised reply from %1", cleared, "11"},
            {"no reply", "", "silent", india, "No reply from %1 in 10 s", cleared, "11"},
            {"refused", "", "gone", india, "Connection refused by %1", cleared, "11"},
            {"no zone", healthy, "answers", std::nullopt, "The system has no time zone; the PC clock was not set",
             {"  12:18:43", "__:__:__ __", "__:__:__ __"}, "10"},
                // clang-format on
            };
        for (const auto &[name, reply, server, zone, status, fields, buttons] : rows) {
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
    }

    // A server that sends its time and keeps the connection open has answered with its line, long
    // before the time is up, also one named rather than numbered; a server setting that cannot be
    // asked, or a network that cannot be reached, says why.
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

        // A name is looked up first; its addresses are tried in turn.
        qputenv(daytime::OverrideVariable, "localhost:" + QByteArray::number(rig.daytime.server.serverPort()));
        rig.daytime.reply = "\n61380 26-12-06 10:40:08 00 0 0 608.1 UTC(NIST) * \n";
        rig.button("cmdConnect")->click();
        QTRY_COMPARE(rig.text("LocalTime"), QStringLiteral("04:10:08 PM"));

        // An IPv6 address is no name to look up: it is connected to, whether or not anyone
        // listens there.
        qputenv(daytime::OverrideVariable, "[::1]:1");
        rig.button("cmdConnect")->click();
        QTRY_VERIFY(!rig.status().startsWith(QStringLiteral("Asking")));
        QVERIFY2(!rig.status().startsWith(QStringLiteral("Host not found")), qPrintable(rig.status()));

        qputenv(daytime::OverrideVariable, "no host:13");
        rig.button("cmdConnect")->click();
        QCOMPARE(rig.status(), QStringLiteral("VRIM_DAYTIME_SERVER \"no host:13\" is not host[:port]"));
        QCOMPARE(rig.buttons(), QStringLiteral("10"));
        qunsetenv(daytime::OverrideVariable);
    }
};

QTEST_MAIN(TestNettime)
#include "tst_nettime.moc"
