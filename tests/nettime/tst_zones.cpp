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
    void localTime_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QDateTime>("utc");
        QTest::addColumn<QString>("local");
        const auto at = [](int h, int mi, int s) {
            return QDateTime(QDate(2026, 3, 29), QTime(h, mi, s), QTimeZone::utc());
        };
        QTest::newRow("Berlin, the last standard second")
            << QByteArray("Europe/Berlin") << at(0, 59, 59) << "01:59:59";
        QTest::newRow("Berlin, the first summer second")
            << QByteArray("Europe/Berlin") << at(1, 0, 0) << "03:00:00";
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
