#include "nettime/ZoneTable.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace vrim;

class TestZones : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyRowIsFound_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("offset");
        for (const zones::ZoneRow &row : zones::table())
            QTest::newRow(row.standardName)
                << QString::fromLatin1(row.standardName) << QString::fromLatin1(row.offset);
    }
    void everyRowIsFound()
    {
        QFETCH(QString, name);
        QFETCH(QString, offset);
        QCOMPARE(zones::offsetOf(name), std::optional<QString>(offset));
    }

    void theTableAsStored()
    {
        const auto rows = zones::table();
        QCOMPARE(rows.size(), size_t(62));
        QCOMPARE(QLatin1String(rows[0].standardName), QLatin1String("Afghanistan Standard Time"));
        QCOMPARE(QLatin1String(rows[4].places), QLatin1String("Atlantic Time (Canada"));
        QCOMPARE(QLatin1String(rows[40].places), QLatin1String("Pacific Time (US & Canada; Tijuana"));
        QCOMPARE(QLatin1String(rows[61].offset), QLatin1String("+09:00"));
        QCOMPARE(zones::offsetOf(QStringLiteral("Yakutsk Standard Time")), QStringLiteral("+09:00"));
        QCOMPARE(zones::offsetOf(QStringLiteral("Newfoundland Standard Time")), QStringLiteral("-03:30"));
        QCOMPARE(zones::offsetOf(QStringLiteral("India Standard Time")), QStringLiteral("+05:30"));
    }

    void onlyTheExactNameIsFound_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("lower case") << QStringLiteral("yakutsk standard time");
        QTest::newRow("upper case") << QStringLiteral("INDIA STANDARD TIME");
        QTest::newRow("trailing blank") << QStringLiteral("Yakutsk Standard Time ");
        QTest::newRow("leading blank") << QStringLiteral(" India Standard Time");
        QTest::newRow("trailing NUL") << (QStringLiteral("India Standard Time") + QChar(0));
        QTest::newRow("UTC") << QStringLiteral("UTC");
        QTest::newRow("a place") << QStringLiteral("Berlin");
        QTest::newRow("empty") << QString();
    }
    void onlyTheExactNameIsFound()
    {
        QFETCH(QString, name);
        QCOMPARE(zones::offsetOf(name), std::nullopt);
    }

    // Expected local times worked out by hand; the system's zone database must agree.
    void localTime_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QDateTime>("utc");
        QTest::addColumn<QString>("local");
        const auto at = [](int y, int mo, int d, int h, int mi, int s) {
            return QDateTime(QDate(y, mo, d), QTime(h, mi, s), QTimeZone::utc());
        };
        QTest::newRow("Berlin, winter")
            << QByteArray("Europe/Berlin") << at(2026, 1, 15, 13, 5, 9) << "14:05:09";
        QTest::newRow("Berlin, summer")
            << QByteArray("Europe/Berlin") << at(2026, 7, 15, 13, 5, 9) << "15:05:09";
        QTest::newRow("Berlin, the last standard second")
            << QByteArray("Europe/Berlin") << at(2026, 3, 29, 0, 59, 59) << "01:59:59";
        QTest::newRow("Berlin, the first summer second")
            << QByteArray("Europe/Berlin") << at(2026, 3, 29, 1, 0, 0) << "03:00:00";
        QTest::newRow("New Delhi, minutes carried")
            << QByteArray("Asia/Kolkata") << at(2026, 12, 6, 10, 40, 7) << "16:10:07";
        QTest::newRow("New Delhi, past midnight")
            << QByteArray("Asia/Kolkata") << at(2026, 12, 6, 18, 45, 0) << "00:15:00";
        QTest::newRow("Newfoundland, winter, borrowed")
            << QByteArray("America/St_Johns") << at(2026, 1, 15, 2, 10, 0) << "22:40:00";
        QTest::newRow("Newfoundland, summer")
            << QByteArray("America/St_Johns") << at(2026, 7, 15, 2, 10, 0) << "23:40:00";
        QTest::newRow("Los Angeles, just after midnight UTC")
            << QByteArray("America/Los_Angeles") << at(2026, 1, 15, 0, 30, 0) << "16:30:00";
        QTest::newRow("Los Angeles, summer, before midnight UTC")
            << QByteArray("America/Los_Angeles") << at(2026, 7, 15, 7, 59, 59) << "00:59:59";
        QTest::newRow("Auckland, winter, next day")
            << QByteArray("Pacific/Auckland") << at(2026, 7, 15, 12, 30, 0) << "00:30:00";
        QTest::newRow("Auckland, summer, next day")
            << QByteArray("Pacific/Auckland") << at(2026, 1, 15, 11, 45, 0) << "00:45:00";
    }
    void localTime()
    {
        QFETCH(QByteArray, zone);
        QFETCH(QDateTime, utc);
        QFETCH(QString, local);
        const QTimeZone system(zone);
        QVERIFY(system.isValid());
        const std::optional<QString> offset = zones::offsetOf(zones::windowsNameOf(zone));
        QVERIFY(offset);
        const std::optional<QTime> worked = zones::localTime(utc.time(), *offset, system.isDaylightTime(utc));
        QVERIFY(worked);
        QCOMPARE(worked->toString(QStringLiteral("HH:mm:ss")), local);
        QCOMPARE(utc.toTimeZone(system).time().toString(QStringLiteral("HH:mm:ss")), local);
    }

    void malformedOffsetsGiveNoTime_data()
    {
        QTest::addColumn<QString>("offset");
        for (const char *offset :
             {"", "+5:30", "+05:30 ", "05:30x", "+05-30", "*05:30", "+ab:cd", "+05:60", "+99:00"})
            QTest::newRow(offset) << QString::fromLatin1(offset);
    }
    void malformedOffsetsGiveNoTime()
    {
        QFETCH(QString, offset);
        QCOMPARE(zones::localTime(QTime(10, 40, 7), offset, false), std::nullopt);
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

QTEST_GUILESS_MAIN(TestZones)
#include "tst_zones.moc"
