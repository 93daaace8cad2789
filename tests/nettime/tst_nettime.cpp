// The internet-time logic: the Daytime reply parser, the server setting and the zones.
#include "nettime/DaytimeHosts.h"
#include "nettime/DaytimeReply.h"
#include "nettime/InternetTime.h"
#include "nettime/ZoneTable.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cstdlib>
#include <ctime>

using namespace vrim;

class TestNettime : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void accepted_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QDateTime>("utc");
        QTest::addColumn<bool>("healthy");
        const QDateTime stamp(QDate(2026, 12, 6), QTime(12, 18, 43), QTimeZone::utc());
        // MJD 61380 is 6 December 2026.
        // clang-format off
        QTest::newRow("NIST, healthy") << QByteArray("\n61380 26-12-06 12:18:43 00 0 0 608.1 UTC(NIST) * \n") << stamp << true;
        QTest::newRow("NIST, on time mark") << QByteArray("\n61380 26-12-06 12:18:43 00 0 0  50.0 UTC(NIST) # \r\n") << stamp << true;
        QTest::newRow("NIST, unhealthy") << QByteArray("\n61380 26-12-06 12:18:43 00 0 2 608.1 UTC(NIST) * \n") << stamp << false;
        QTest::newRow("day month year UTC") << QByteArray("06 DEC 2026 12:18:43 UTC\r\n") << stamp << true;
        QTest::newRow("weekday, GMT") << QByteArray("Sunday, December 6, 2026 12:18:43 GMT\n") << stamp << true;
        QTest::newRow("RFC 867 example, UTC") << QByteArray("Sunday, December 6, 2026 12:18:43-UTC") << stamp << true;
        // clang-format on
    }
    void accepted()
    {
        QFETCH(QByteArray, reply);
        QFETCH(QDateTime, utc);
        QFETCH(bool, healthy);
        const std::optional<daytime::Reply> read = daytime::parse(reply);
        QVERIFY(read);
        QCOMPARE(read->utc, utc);
        QCOMPARE(read->healthy, healthy);
    }

    void refused_data()
    {
        QTest::addColumn<QByteArray>("reply");
        // clang-format off
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("over 1 KiB") << (QByteArray("\n61380 26-12-06 12:18:43 00 0 0 608.1 UTC(NIST) * ") + QByteArray(1000, ' ') + '\n');
        QTest::newRow("no UTC marker") << QByteArray("06 DEC 2026 12:18:43\n");
        QTest::newRow("another zone") << QByteArray("Sunday, December 6, 2026 12:18:43-PST");
        QTest::newRow("marker twice") << QByteArray("06 DEC 2026 12:18:43 UTC GMT");
        QTest::newRow("hour 24") << QByteArray("\n61380 26-12-06 24:18:43 00 0 0 608.1 UTC(NIST) * \n");
        QTest::newRow("leap second") << QByteArray("\n61380 26-12-06 23:59:60 00 1 0 608.1 UTC(NIST) * \n");
        QTest::newRow("31 November") << QByteArray("31 NOV 2026 12:18:43 UTC");
        QTest::newRow("wrong day number") << QByteArray("\n61379 26-12-06 12:18:43 00 0 0 608.1 UTC(NIST) * \n");
        QTest::newRow("NIST, field missing") << QByteArray("\n61380 26-12-06 12:18:43 00 0 608.1 UTC(NIST) * \n");
        QTest::newRow("NIST, sign in a field") << QByteArray("\n61380 26-12-06 12:18:43 -0 0 0 608.1 UTC(NIST) * \n");
        QTest::newRow("NUL in the time") << QByteArray("06 DEC 2026 12:1\08:43 UTC", 25);
        QTest::newRow("two lines") << QByteArray("06 DEC 2026 12:18:43 UTC\n06 DEC 2026 12:18:44 UTC\n");
        QTest::newRow("non-ASCII digits") << QByteArray("06 DEC 2026 12:18:4\xd9\xa3 UTC");
        // clang-format on
    }
    void refused()
    {
        QFETCH(QByteArray, reply);
        QCOMPARE(daytime::parse(reply).has_value(), false);
    }

    // VRIM_DAYTIME_SERVER: host[:port], "" for a setting that is refused.
    void overrideSetting_data()
    {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QString>("endpoint");
        // clang-format off
        QTest::newRow("host") << "daytime.example" << "daytime.example 13";
        QTest::newRow("address and port") << "127.0.0.1:1313" << "127.0.0.1 1313";
        QTest::newRow("IPv6 alone") << "[::1]" << "::1 13";
        QTest::newRow("bare IPv6") << "::1" << "";
        QTest::newRow("port 0") << "host:0" << "";
        QTest::newRow("port too big") << "host:65536" << "";
        QTest::newRow("signed port") << "host:+13" << "";
        QTest::newRow("blank inside") << "no host:13" << "";
        QTest::newRow("empty") << "" << "";
        // clang-format on
    }
    void overrideSetting()
    {
        QFETCH(QString, setting);
        QFETCH(QString, endpoint);
        const auto read = daytime::parseEndpoint(setting);
        QCOMPARE(read ? QStringLiteral("%1 %2").arg(read->host).arg(read->port) : QString(), endpoint);
    }

    // The offset of a table row's name as the system reports it; anything else is no row.
    void onlyTheExactNameIsFound_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("offset");
        QTest::newRow("exact, half an hour") << QStringLiteral("Newfoundland Standard Time") << "-03:30";
        QTest::newRow("lower case") << QStringLiteral("yakutsk standard time") << QString();
        QTest::newRow("trailing blank") << QStringLiteral("Yakutsk Standard Time ") << QString();
        QTest::newRow("trailing NUL") << (QStringLiteral("India Standard Time") + QChar(0)) << QString();
        QTest::newRow("UTC") << QStringLiteral("UTC") << QString();
        QTest::newRow("empty") << QString() << QString();
    }
    void onlyTheExactNameIsFound()
    {
        QFETCH(QString, name);
        QFETCH(QString, offset);
        QCOMPARE(zones::offsetOf(name).value_or(QString()), offset);
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
                char expected[32] = {};
                if (!localtime_r(&seconds, &local) ||
                    !std::strftime(expected, sizeof expected, "%I:%M:%S %p", &local))
                    QFAIL(qPrintable(QStringLiteral("the C library cannot read %1").arg(QLatin1String(id))));
                const QString shown = InternetTime::maskedText(zones::localTimeAt(utc, QTimeZone(id)));
                if (shown != QLatin1String(expected))
                    wrong << QStringLiteral("%1 %2: %3, not %4")
                                 .arg(QLatin1String(id),
                                      month == 1 ? QStringLiteral("January") : QStringLiteral("July"), shown,
                                      QLatin1String(expected));
            }
        }
        savedTz ? setenv("TZ", savedTz->constData(), 1) : unsetenv("TZ");
        tzset();
        for (const QString &line : std::as_const(wrong))
            qWarning().noquote() << line; // the whole list: a failure message is cut short
        QVERIFY2(wrong.isEmpty(), qPrintable(QStringLiteral("%1 local times of %2 zones wrong, %3 first")
                                                 .arg(wrong.size())
                                                 .arg(ids.size())
                                                 .arg(wrong.value(0))));
    }

    void aliasesAreFoundThroughTheirZoneFiles()
    {
        QCOMPARE(zones::windowsNameOf("Asia/Calcutta"), QStringLiteral("India Standard Time"));
        if (QFile::exists(QStringLiteral("/usr/share/zoneinfo/Asia/Kolkata")))
            QCOMPARE(zones::windowsNameOf("Asia/Kolkata"), QStringLiteral("India Standard Time"));

        QTemporaryDir zoneinfo;
        const auto write = [&zoneinfo](const QString &name, const QByteArray &data) {
            QDir(zoneinfo.path()).mkpath(QFileInfo(name).path());
            QFile file(zoneinfo.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(data);
        };
        write(QStringLiteral("Asia/Calcutta"), "TZif India");
        write(QStringLiteral("Far/Alias"), "TZif India");
        write(QStringLiteral("Far/Other"), "TZif Elsewhere");
        QCOMPARE(zones::windowsNameOf("Far/Alias", zoneinfo.path()), QStringLiteral("India Standard Time"));
        QCOMPARE(zones::windowsNameOf("Far/Other", zoneinfo.path()), QString());
        QCOMPARE(zones::windowsNameOf("../Far/Alias", zoneinfo.path()), QString());
        QCOMPARE(zones::windowsNameOf("Far/Missing", zoneinfo.path()), QString());
    }
};

QTEST_GUILESS_MAIN(TestNettime)
#include "tst_nettime.moc"
