#include "settings/DataFolders.h"
#include "settings/SettingsStore.h"
#include "shell/Startup.h"
#include "support/FolderSnapshot.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

using vrim::DataFolders;
using vrim::Design;
using vrim::SettingsStore;
using vrim::test::folderSnapshot;

namespace {

void touch(const QString &path)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

} // namespace

class TestDataFolders : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_root;
    QString m_folder;
    QString m_here; // where the program lies now, with its own skins and sounds

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        // A program folder whose own name has a space and a non-ASCII letter.
        m_folder = m_root.path() + QStringLiteral("/Vrim Clocks ö");
        touch(m_folder + QStringLiteral("/Settings/Jolvexprefs.prf"));
        touch(m_folder + QStringLiteral("/Skins/norvi/Plum.JPG"));
        m_here = m_root.path() + QStringLiteral("/new/vrimclocks");
        touch(m_here + QStringLiteral("/Skins/Quenz/dunga-3d.jpg"));
        touch(m_here + QStringLiteral("/Sounds/bzz.wav"));
        touch(m_root.path() + QStringLiteral("/pictures/Skins/Quenz/dunga-3d.jpg"));
    }

    void resolvesBelowProgramFolder_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<QString>("expected");
        // clang-format off
        QTest::newRow("backslashes, other letter case") << "\\Settings\\jolvexprefs.prf" << "/Settings/Jolvexprefs.prf";
        QTest::newRow("mixed separators and doubled ones") << "\\settings//JOLVEXPREFS.PRF" << "/Settings/Jolvexprefs.prf";
        QTest::newRow("deeper folder") << "\\skins\\NORVI\\plum.jpg" << "/Skins/norvi/Plum.JPG";
        QTest::newRow("folder with a trailing separator") << "\\SETTINGS\\" << "/Settings";
        QTest::newRow("missing file keeps the spelling given") << "\\Settings\\Dovpref.prf" << "/Settings/Dovpref.prf";
        QTest::newRow("below a missing folder") << "\\Sounds\\Bzz.wav" << "/Sounds/Bzz.wav";
        // clang-format on
    }
    void resolvesBelowProgramFolder()
    {
        QFETCH(QString, relative);
        QFETCH(QString, expected);
        QCOMPARE(DataFolders(m_folder).path(relative), m_folder + expected);
        // The program folder is taken without a trailing separator.
        QCOMPARE(DataFolders(m_folder + QStringLiteral("//")).path(relative), m_folder + expected);
    }

    // Settings files written before the program moved (a new version in a new folder, a build
    // folder copied elsewhere) still name the old folder's skins and chimes.
    void storedPathsFollowTheProgramFolder_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("expected");
        const QString &here = m_here;
        const QString elsewhere = m_root.path() + QStringLiteral("/pictures");
        // clang-format off
        QTest::newRow("this program folder, with backslashes and in other letter case") << here + "\\skins\\QUENZ\\Dunga-3d.JPG" << here + "/Skins/Quenz/dunga-3d.jpg";
        QTest::newRow("no path at all") << "" << "";
        QTest::newRow("old program folder, as written on the first start") << "/opt/vrimclocks-0.9/Skins/Quenz/dunga-3d.jpg" << here + "/Skins/Quenz/dunga-3d.jpg";
        QTest::newRow("old folder spelt with backslashes and in other letter case") << "\\home\\ann\\Vrim Clocks\\SOUNDS\\Bzz.WAV" << here + "/Sounds/bzz.wav";
        QTest::newRow("a folder named Skins above the program folder") << "/srv/Skins/old/Skins/Quenz/dunga-3d.jpg" << here + "/Skins/Quenz/dunga-3d.jpg";
        QTest::newRow("the user's own file still there is kept") << elsewhere + "/Skins/Quenz/dunga-3d.jpg" << elsewhere + "/Skins/Quenz/dunga-3d.jpg";
        QTest::newRow("a missing file the program never had stays missing") << "/opt/vrimclocks-0.9/Skins/Quenz/mine.jpg" << "/opt/vrimclocks-0.9/Skins/Quenz/mine.jpg";
        QTest::newRow("a missing file outside any program folder stays missing") << "/home/ann/Quenz/dunga-3d.jpg" << "/home/ann/Quenz/dunga-3d.jpg";
        QTest::newRow("a folder is not a file") << "/opt/old/Skins/Quenz" << "/opt/old/Skins/Quenz";
        // clang-format on
    }
    void storedPathsFollowTheProgramFolder()
    {
        QFETCH(QString, stored);
        QFETCH(QString, expected);
        QCOMPARE(DataFolders(m_here).resolveStored(stored), expected);
    }

    // Beside a program folder the user may write to, Settings stay there. An installed one is
    // only read: each user's Settings go to their own data folder, made on their first start
    // with its missing parents.
    void settingsGoWhereTheUserMayWrite()
    {
        QTemporaryDir root;
        const QString program = root.path() + QStringLiteral("/opt/vrimclocks");
        touch(program + QStringLiteral("/Skins/Quenz/dunga-3d.jpg"));
        touch(program + QStringLiteral("/Sounds/iauu.wav"));
        const QString ann = root.path() + QStringLiteral("/ann/.local/share/vrimclocks");
        const QString bob = root.path() + QStringLiteral("/bob/data/vrimclocks");
        QCOMPARE(DataFolders::forProgram(program, ann).settingsPath(),
                 program + QStringLiteral("/Settings/"));

        QVERIFY(QFile(program).setPermissions(QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther |
                                              QFile::ExeOther));
        const auto restore = qScopeGuard(
            [&] { QFile(program).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); });
        // Root may write anywhere: it then lays the folders out by hand, and e2e_installed runs
        // the installed program as an unprivileged user to check the choice itself.
        const bool mayWriteAnyway = ::access(QFile::encodeName(program).constData(), W_OK) == 0;
        const auto foldersOf = [&](const QString &user) {
            return mayWriteAnyway ? DataFolders(program, user) : DataFolders::forProgram(program, user);
        };
        const QStringList before = folderSnapshot(program);
        for (const QString &user : {ann, bob}) {
            const DataFolders folders = foldersOf(user);
            QVERIFY(vrim::isFirstStart(folders));
            const auto saved = SettingsStore(folders).writeDefaults();
            QVERIFY2(saved.ok(), qPrintable(saved.problem));
            QCOMPARE(QDir(user + QStringLiteral("/Settings")).entryList(QDir::Files).size(), 13);
            QVERIFY(!vrim::isFirstStart(folders));
            const auto skin = SettingsStore(folders).readSkin(Design::Quenz);
            QCOMPARE(skin.value.picture, program + QStringLiteral("/Skins/Quenz/dunga-3d.jpg"));
        }
        QVERIFY(SettingsStore(foldersOf(ann))
                    .writeSound(Design::Quenz, {QStringLiteral("/x.wav"), QStringLiteral("1 hour")})
                    .ok());
        QCOMPARE(SettingsStore(foldersOf(bob)).readSound(Design::Quenz).value.interval,
                 QStringLiteral("5 min"));
        QCOMPARE(folderSnapshot(program), before);
    }
};

QTEST_GUILESS_MAIN(TestDataFolders)
#include "tst_datafolders.moc"
