#include "nettime/DaytimeHosts.h"
#include "nettime/DaytimeReply.h"

#include <QtTest>

using namespace vrim;

class TestDaytimeReply : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void accepted_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QDateTime>("utc");
        QTest::addColumn<bool>("healthy");
        const QDateTime stamp(QDate(2026, 12, 6), QTime(12, 18, 43), QTimeZone::utc());
        // MJD 61380 is 6 December 2026.
        QTest::newRow("NIST, healthy")
            << QByteArray("\n61380 26-12-06 12:18:43 00 0 0 608.1 UTC(NIST) * \n") << stamp << true;
        QTest::newRow("NIST, on time mark")
            << QByteArray("\n61380 26-12-06 12:18:43 00 0 0  50.0 UTC(NIST) # \r\n") << stamp << true;
        QTest::newRow("NIST, unhealthy")
            << QByteArray("\n61380 26-12-06 12:18:43 00 0 2 608.1 UTC(NIST) * \n") << stamp << false;
        QTest::newRow("day month year UTC") << QByteArray("06 DEC 2026 12:18:43 UTC\r\n") << stamp << true;
        QTest::newRow("weekday, GMT")
            << QByteArray("Sunday, December 6, 2026 12:18:43 GMT\n") << stamp << true;
        QTest::newRow("RFC 867 example, UTC")
            << QByteArray("Sunday, December 6, 2026 12:18:43-UTC") << stamp << true;
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
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("over 1 KiB") << (QByteArray("\n61380 26-12-06 12:18:43 00 0 0 608.1 UTC(NIST) * ") +
                                        QByteArray(1000, ' ') + '\n');
        QTest::newRow("no UTC marker") << QByteArray("06 DEC 2026 12:18:43\n");
        QTest::newRow("another zone") << QByteArray("Sunday, December 6, 2026 12:18:43-PST");
        QTest::newRow("marker twice") << QByteArray("06 DEC 2026 12:18:43 UTC GMT");
        QTest::newRow("hour 24") << QByteArray("\n61380 26-12-06 24:18:43 00 0 0 608.1 UTC(NIST) * \n");
        QTest::newRow("leap second") << QByteArray("\n61380 26-12-06 23:59:60 00 1 0 608.1 UTC(NIST) * \n");
        QTest::newRow("31 November") << QByteArray("31 NOV 2026 12:18:43 UTC");
        QTest::newRow("wrong day number")
            << QByteArray("\n61379 26-12-06 12:18:43 00 0 0 608.1 UTC(NIST) * \n");
        QTest::newRow("NIST, field missing")
            << QByteArray("\n61380 26-12-06 12:18:43 00 0 608.1 UTC(NIST) * \n");
        QTest::newRow("NIST, sign in a field")
            << QByteArray("\n61380 26-12-06 12:18:43 -0 0 0 608.1 UTC(NIST) * \n");
        QTest::newRow("NUL in the time") << QByteArray("06 DEC 2026 12:1\08:43 UTC", 25);
        QTest::newRow("two lines") << QByteArray("06 DEC 2026 12:18:43 UTC\n06 DEC 2026 12:18:44 UTC\n");
        QTest::newRow("non-ASCII digits") << QByteArray("06 DEC 2026 12:18:4\xd9\xa3 UTC");
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
        QTest::newRow("host") << "daytime.example"
                              << "daytime.example 13";
        QTest::newRow("address and port") << "127.0.0.1:1313"
                                          << "127.0.0.1 1313";
        QTest::newRow("IPv6 alone") << "[::1]"
                                    << "::1 13";
        QTest::newRow("bare IPv6") << "::1"
                                   << "";
        QTest::newRow("port 0") << "host:0"
                                << "";
        QTest::newRow("port too big") << "host:65536"
                                      << "";
        QTest::newRow("signed port") << "host:+13"
                                     << "";
        QTest::newRow("blank inside") << "no host:13"
                                      << "";
        QTest::newRow("empty") << ""
                               << "";
    }
    void overrideSetting()
    {
        QFETCH(QString, setting);
        QFETCH(QString, endpoint);
        const auto read = daytime::parseEndpoint(setting);
        QCOMPARE(read ? QStringLiteral("%1 %2").arg(read->host).arg(read->port) : QString(), endpoint);
    }
};

QTEST_GUILESS_MAIN(TestDaytimeReply)
#include "tst_daytimereply.moc"
