#include "nettime/InternetTime.h"
#include "nettime/ZoneTable.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cstdlib>
#include <ctime>

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
        const std::optional<QTime> worked = zones::localTimeAt(utc, system);
        QVERIFY(worked);
        QCOMPARE(worked->toString(QStringLiteral("HH:mm:ss")), local);
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

        const QByteArray savedTz = qgetenv("TZ");
        const bool hadTz = qEnvironmentVariableIsSet("TZ");
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
        if (hadTz)
            setenv("TZ", savedTz.constData(), 1);
        else
            unsetenv("TZ");
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

QTEST_GUILESS_MAIN(TestZones)
#include "tst_zones.moc"
