#include "settings/DataFolders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using vrim::DataFolders;

class TestDataFolders : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_root;
    QString m_folder;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        // A program folder whose own name has a space and a non-ASCII letter.
        m_folder = m_root.path() + QStringLiteral("/Vrim Clocks ö");
        QVERIFY(QDir().mkpath(m_folder + QStringLiteral("/Settings")));
        QVERIFY(QDir().mkpath(m_folder + QStringLiteral("/Skins/norvi")));
        QFile jolvex(m_folder + QStringLiteral("/Settings/Jolvexprefs.prf"));
        QVERIFY(jolvex.open(QIODevice::WriteOnly));
        QFile plum(m_folder + QStringLiteral("/Skins/norvi/Plum.JPG"));
        QVERIFY(plum.open(QIODevice::WriteOnly));
    }

    void resolvesBelowProgramFolder_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<QString>("expected");
        // clang-format off
        QTest::newRow("backslashes, other letter case") << "\\Settings\\jolvexprefs.prf"
                                                         << "/Settings/Jolvexprefs.prf";
        QTest::newRow("forward slashes") << "/Settings/Jolvexprefs.prf" << "/Settings/Jolvexprefs.prf";
        QTest::newRow("mixed separators and doubled ones") << "\\settings//JOLVEXPREFS.PRF"
                                                           << "/Settings/Jolvexprefs.prf";
        QTest::newRow("deeper folder") << "\\skins\\NORVI\\plum.jpg" << "/Skins/norvi/Plum.JPG";
        QTest::newRow("folder with a trailing separator") << "\\SETTINGS\\" << "/Settings";
        QTest::newRow("missing file keeps the spelling given") << "\\Settings\\Dovpref.prf"
                                                               << "/Settings/Dovpref.prf";
        QTest::newRow("below a missing folder") << "\\Sounds\\Bzz.wav" << "/Sounds/Bzz.wav";
        // clang-format on
    }
    void resolvesBelowProgramFolder()
    {
        QFETCH(QString, relative);
        QFETCH(QString, expected);
        QCOMPARE(DataFolders(m_folder).path(relative), m_folder + expected);
    }

    void programFolderIsTakenWithoutTrailingSeparator()
    {
        const DataFolders folders(m_folder + QStringLiteral("//"));
        QCOMPARE(folders.programFolder(), m_folder);
        QCOMPARE(folders.settingsPath(), m_folder + QStringLiteral("/Settings/"));
    }

    void storedPathsAcceptEitherSeparator()
    {
        QString stored = m_folder + QStringLiteral("\\skins\\Norvi\\PLUM.jpg");
        QCOMPARE(DataFolders::resolveStored(stored), m_folder + QStringLiteral("/Skins/norvi/Plum.JPG"));
        QCOMPARE(DataFolders::resolveStored(QString()), QString());
        QCOMPARE(DataFolders::resolveStored(QStringLiteral("/no/such/place.jpg")),
                 QStringLiteral("/no/such/place.jpg"));
    }
};

QTEST_GUILESS_MAIN(TestDataFolders)
#include "tst_datafolders.moc"
