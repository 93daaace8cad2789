#include "base/RefreshSignal.h"
#include "platform/LocalFiles.h"
#include "settings/SettingsFormat.h"
#include "settings/SettingsStore.h"
#include "shell/Startup.h"
#include "support/FileSizeLimit.h"
#include "support/TempProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace vrim;
using vrim::test::TempProgramFolder;

namespace {

QByteArray crlf(std::initializer_list<QByteArray> lines)
{
    QByteArray out;
    for (const QByteArray &line : lines)
        out += line + "\r\n";
    return out;
}

enum class Kind { Skin, Sound, Lumbo };

} // namespace

Q_DECLARE_METATYPE(Kind)

class TestSettingsFiles : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        // A read-only folder means nothing to root; run as nobody so it does.
        if (::geteuid() == 0) {
            QVERIFY(::setgid(65534) == 0);
            QVERIFY(::setuid(65534) == 0);
        }
    }

    void defaultsAreWrittenByteForByte()
    {
        TempProgramFolder folder;
        const SettingsStore store{DataFolders(folder.path())};
        QVERIFY(store.writeDefaults().ok());

        const QByteArray p = folder.path().toUtf8();
        const QMap<QString, QByteArray> expected = {
            {"Quenzpref.prf", crlf({p + "/Skins/Quenz/dunga-3d.jpg"})},
            {"Quenzspref.prf", crlf({p + "/Sounds/iauu.wav", "5 min"})},
            {"lumbi.prf", " 6573604 \r\n 5456158 \r\n 0 \r\n 1 \r\n"},
            {"Dovpref.prf", crlf({p + "/Skins/Vrim/blui-3d.jpg"})},
            {"Dovspref.prf", crlf({p + "/Sounds/bzz.wav", "5 min"})},
            {"vrimcpref.prf", crlf({p + "/Skins/Quenz/hiven-3d.jpg"})},
            {"vrimcspref.prf", crlf({p + "/Sounds/iauu.wav", "5 min"})},
            {"norvipref.prf", crlf({p + "/Skins/norvi/butnrock-3d.jpg", p + "/Skins/norvi/plum.jpg"})},
            {"norvispref.prf", crlf({p + "/Sounds/bzz.wav", "5 min"})},
            {"Jolvexprefs.prf", crlf({p + "/Skins/jolvex/blueplic.jpg"})},
            {"Jolvexsprefs.prf", crlf({p + "/Sounds/bzz.wav", "5 min"})},
            {"Mipcprefs.prf", crlf({p + "/Skins/Mip/ruca.jpg"})},
            {"Mipcsprefs.prf", crlf({p + "/Sounds/niaa.wav", "5 min"})},
        };
        QVERIFY(QDir(folder.path()).mkdir("plain"));
        QCOMPARE(QFileInfo(folder.file("Settings")).permissions(),
                 QFileInfo(folder.file("plain")).permissions());
        QStringList written = QDir(folder.file("Settings")).entryList(QDir::Files);
        QStringList names = expected.keys();
        written.sort();
        names.sort();
        QCOMPARE(written, names);
        for (auto it = expected.cbegin(); it != expected.cend(); ++it)
            QCOMPARE(TempProgramFolder::read(folder.file("Settings/" + it.key())), it.value());
    }

    void defaultsTakeTheInstalledSpelling()
    {
        TempProgramFolder folder;
        QVERIFY(QDir(folder.path()).rename("Skins", "skins"));
        const SettingsStore store{DataFolders(folder.path())};
        QCOMPARE(store.defaultSkin(Design::Quenz).picture, folder.file("skins/Quenz/dunga-3d.jpg"));
    }

    void soundFileIsRead_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("sound");
        QTest::addColumn<QString>("interval");
        // clang-format off
        QTest::newRow("plain CR LF") << crlf({"/a/b.wav", "10 min"}) << "/a/b.wav" << "10 min";
        QTest::newRow("a comma stays in the path") << crlf({"/a,b/c.wav", "5 min"}) << "/a,b/c.wav"
                                                   << "5 min";
        QTest::newRow("quotes of older files are dropped")
            << crlf({"\"/a b/c.wav\"", "\"1 hour\""}) << "/a b/c.wav" << "1 hour";
        QTest::newRow("leading blanks are skipped") << crlf({"   /a/c.wav", "\t15 min"}) << "/a/c.wav"
                                                    << "15 min";
        QTest::newRow("bare LF line ends") << QByteArray("/a/c.wav\n30 min\n") << "/a/c.wav" << "30 min";
        QTest::newRow("no line end after the last line") << QByteArray("/a/c.wav\r\nNo chime")
                                                         << "/a/c.wav" << "No chime";
        QTest::newRow("extra lines are not read") << crlf({"/a/c.wav", "5 min", "junk"}) << "/a/c.wav"
                                                  << "5 min";
        QTest::newRow("swapped lines are taken as they stand") << crlf({"5 min", "/a/c.wav"}) << "5 min"
                                                               << "/a/c.wav";
        QTest::newRow("letter case of the interval is kept") << crlf({"/a/c.wav", "5 Min"}) << "/a/c.wav"
                                                             << "5 Min";
        QTest::newRow("empty path is an empty line") << crlf({"", "5 min"}) << "" << "5 min";
        QTest::newRow("non-ASCII path in UTF-8") << crlf({"/hé/日本/ü.wav", "5 min"})
                                                 << QString::fromUtf8("/hé/日本/ü.wav") << "5 min";
        QTest::newRow("older single-byte path") << crlf({"/caf\xe9/a.wav", "5 min"})
                                                << files::fromNativeName("/caf\xe9/a.wav") << "5 min";
        // clang-format on
    }
    void soundFileIsRead()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, sound);
        QFETCH(QString, interval);
        TempProgramFolder folder;
        QDir(folder.path()).mkdir("Settings");
        TempProgramFolder::write(folder.file("Settings/Dovspref.prf"), bytes);
        const auto loaded = SettingsStore(DataFolders(folder.path())).readSound(Design::Dov);
        QVERIFY2(loaded.ok(), qPrintable(loaded.problem));
        QCOMPARE(loaded.value.sound, sound);
        QCOMPARE(loaded.value.interval, interval);
    }

    void fileNamesKeepTheirBytes_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("UTF-8") << QByteArray("/h\xc3\xa9/\xe6\x97\xa5\xe6\x9c\xac/\xf0\x9f\x8e\xb5.wav");
        QTest::newRow("Latin-1") << QByteArray("/caf\xe9/\xc4pfel.jpg");
        QTest::newRow("a lead byte cut off at the end") << QByteArray("/a\xc3");
        QTest::newRow("an overlong slash") << QByteArray("/a\xc0\xaf.jpg");
        QTest::newRow("an encoded surrogate") << QByteArray("/a\xed\xa0\x80.jpg");
        QTest::newRow("Latin-1 beside UTF-8") << QByteArray("/\xe9t\xc3\xa9.jpg");
    }
    void fileNamesKeepTheirBytes()
    {
        QFETCH(QByteArray, name);
        const QString carried = files::fromNativeName(name);
        QCOMPARE(files::nativeName(carried), name);
        QCOMPARE(prf::encodeText(prf::firstLines(name + "\r\n", 1)->front()), name + "\r\n");
    }

    void unusableFileGivesDefaultsAndNamesIt_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // empty: no file at all
        QTest::addColumn<QString>("says");
        QTest::newRow("missing") << QByteArray() << "missing";
        QTest::newRow("short") << crlf({"/only/the/path.wav"}) << "1 of its 2 lines";
        QTest::newRow("empty") << QByteArray("") << "0 of its 2 lines";
    }
    void unusableFileGivesDefaultsAndNamesIt()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, says);
        TempProgramFolder folder;
        QDir(folder.path()).mkdir("Settings");
        const QString path = folder.file("Settings/Mipcsprefs.prf");
        if (!bytes.isNull())
            TempProgramFolder::write(path, bytes);
        const SettingsStore store{DataFolders(folder.path())};
        const auto loaded = store.readSound(Design::Mip);
        QVERIFY(!loaded.ok());
        QVERIFY2(loaded.problem.contains(path) && loaded.problem.contains(says), qPrintable(loaded.problem));
        QCOMPARE(loaded.value, store.defaultSound(Design::Mip));
        // Reading never writes: a missing file stays missing, a short one stays short.
        QCOMPARE(QFile::exists(path), !bytes.isNull());
        if (!bytes.isNull())
            QCOMPARE(TempProgramFolder::read(path), bytes);
    }

    void onlyRegularFilesAreRead_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("a pipe with no writer") << "pipe";
        QTest::newRow("a folder") << "folder";
        QTest::newRow("a link to a device") << "device";
    }
    void onlyRegularFilesAreRead()
    {
        QFETCH(QString, kind);
        TempProgramFolder folder;
        QDir(folder.path()).mkdir("Settings");
        const QString path = folder.file("Settings/Dovpref.prf");
        if (kind == "pipe")
            QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        else if (kind == "folder")
            QVERIFY(QDir().mkdir(path));
        else
            QVERIFY(QFile::link("/dev/zero", path));

        const SettingsStore store{DataFolders(folder.path())};
        const auto loaded = store.readSkin(Design::Dov); // a pipe must not hold the reader here
        QVERIFY(!loaded.ok());
        QVERIFY2(loaded.problem.contains(path) && loaded.problem.contains("not a regular file"),
                 qPrintable(loaded.problem));
        QCOMPARE(loaded.value, store.defaultSkin(Design::Dov));
    }

    void hugeValuesAreRefusedInAFewWords_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("bytes");
        // clang-format off
        QTest::newRow("a 64 KiB path") << "Dovpref.prf" << QByteArray(64 * 1024, 'a') + "\r\n";
        QTest::newRow("64 KiB of NUL bytes") << "Dovpref.prf" << QByteArray(64 * 1024, '\0');
        QTest::newRow("a 64 KiB interval") << "Dovspref.prf" << "/a.wav\r\n" + QByteArray(64 * 1024, '5') + "\r\n";
        QTest::newRow("a 32 KiB number") << "lumbi.prf" << " 1 \r\n" + QByteArray(32 * 1024, 'x') + "\r\n 0 \r\n 1 \r\n";
        // clang-format on
    }
    void hugeValuesAreRefusedInAFewWords()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, bytes);
        TempProgramFolder folder;
        QDir(folder.path()).mkdir("Settings");
        const QString path = folder.file("Settings/" + file);
        TempProgramFolder::write(path, bytes);
        const SettingsStore store{DataFolders(folder.path())};
        const QString problem = file == "Dovpref.prf"    ? store.readSkin(Design::Dov).problem
                                : file == "Dovspref.prf" ? store.readSound(Design::Dov).problem
                                                         : store.readLumbo().problem;
        QVERIFY2(problem.contains(path), qPrintable(problem));
        QVERIFY2(problem.size() < path.size() + 300, qPrintable(problem));
    }

    void lumboNumbers_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("usable");
        QTest::addColumn<LumboSettings>("expected");
        QTest::newRow("as written") << QByteArray(" 255 \r\n 65280 \r\n 1 \r\n 0 \r\n") << true
                                    << LumboSettings{255, 65280, 1, 0};
        QTest::newRow("negative, comma-cut and bare LF")
            << QByteArray("-1 \n  12 , 7\n0\n 1\n") << true << LumboSettings{-1, 12, 0, 1};
        QTest::newRow("not a number")
            << QByteArray(" 255 \r\n blue \r\n 1 \r\n 0 \r\n") << false << SettingsStore::defaultLumbo();
        QTest::newRow("switch beyond 16 bits")
            << QByteArray(" 1 \r\n 2 \r\n 70000 \r\n 0 \r\n") << false << SettingsStore::defaultLumbo();
    }
    void lumboNumbers()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, usable);
        QFETCH(LumboSettings, expected);
        TempProgramFolder folder;
        QDir(folder.path()).mkdir("Settings");
        TempProgramFolder::write(folder.file("Settings/lumbi.prf"), bytes);
        const auto loaded = SettingsStore(DataFolders(folder.path())).readLumbo();
        QCOMPARE(loaded.ok(), usable);
        QCOMPARE(loaded.value, expected);
    }

    void savedValuesReadBackUnchanged()
    {
        TempProgramFolder folder;
        QDir(folder.path()).mkdir("Settings");
        const SettingsStore store{DataFolders(folder.path())};
        const SkinSettings norvi{QStringLiteral("/pics/a, b/Frame ölig.jpg"),
                                 QStringLiteral("/pics/日本/centre.gif")};
        QVERIFY(store.writeSkin(Design::Norvi, norvi).ok());
        QCOMPARE(store.readSkin(Design::Norvi).value, norvi);

        const SoundSettings sound{QStringLiteral("/s/with \"quote\" inside.wav"), QStringLiteral("1 hour")};
        QVERIFY(store.writeSound(Design::Quenz, sound).ok());
        QCOMPARE(store.readSound(Design::Quenz).value, sound);

        const LumboSettings lumbo{-5, 16777215, 1, 0};
        QVERIFY(store.writeLumbo(lumbo).ok());
        QCOMPARE(store.readLumbo().value, lumbo);
        QCOMPARE(TempProgramFolder::read(folder.file("Settings/lumbi.prf")),
                 QByteArray("-5 \r\n 16777215 \r\n 1 \r\n 0 \r\n"));
    }

    void savesGoToTheExistingFileWhateverItsCase()
    {
        TempProgramFolder folder;
        QDir(folder.path()).mkdir("settings");
        TempProgramFolder::write(folder.file("settings/jolvexprefs.prf"), crlf({"/old.jpg"}));
        const SettingsStore store{DataFolders(folder.path())};
        QVERIFY(store.writeSkin(Design::Jolvex, {QStringLiteral("/new.jpg"), {}}).ok());
        QCOMPARE(QDir(folder.file("settings")).entryList(QDir::Files), QStringList{"jolvexprefs.prf"});
        QCOMPARE(TempProgramFolder::read(folder.file("settings/jolvexprefs.prf")), crlf({"/new.jpg"}));
    }

    void valuesThatWouldReadBackDifferentlyAreRefused_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("leading blank") << " /a.jpg";
        QTest::newRow("wrapped in quotes") << "\"/a.jpg\"";
        QTest::newRow("line break") << "/a\n.jpg";
        QTest::newRow("a leading byte-order mark") << QStringLiteral(u"\uFEFF/a.jpg");
    }
    void valuesThatWouldReadBackDifferentlyAreRefused()
    {
        QFETCH(QString, value);
        TempProgramFolder folder;
        const SettingsStore store{DataFolders(folder.path())};
        QVERIFY(store.writeDefaults().ok());
        const QString path = folder.file("Settings/Dovpref.prf");
        const QByteArray before = TempProgramFolder::read(path);
        const Saved saved = store.writeSkin(Design::Dov, {value, {}});
        QVERIFY(!saved.ok());
        QVERIFY(saved.problem.contains(path));
        QCOMPARE(TempProgramFolder::read(path), before);
    }

    void failedSaveLeavesTheOldFile()
    {
        TempProgramFolder folder;
        const SettingsStore store{DataFolders(folder.path())};
        QVERIFY(store.writeDefaults().ok());
        const QString settings = folder.file("Settings");
        const QString path = settings + "/Dovspref.prf";
        const QByteArray before = TempProgramFolder::read(path);
        QVERIFY(QFile::setPermissions(settings, QFile::ReadOwner | QFile::ExeOwner));

        const Saved saved =
            store.writeSound(Design::Dov, {QStringLiteral("/x.wav"), QStringLiteral("1 hour")});
        QFile::setPermissions(settings, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(!saved.ok());
        QVERIFY2(saved.problem.contains(path), qPrintable(saved.problem));
        QCOMPARE(TempProgramFolder::read(path), before);
        QCOMPARE(QDir(settings).entryList(QDir::Files).size(), 13); // no stray temporary file
    }

    void fullDiskLeavesTheOldFileAndSaysSo_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<int>("room"); // bytes a file may hold
        QTest::newRow("skin file, no room") << Kind::Skin << 0;
        QTest::newRow("skin file, room for a few bytes") << Kind::Skin << 6;
        QTest::newRow("sound file, no room") << Kind::Sound << 0;
        QTest::newRow("sound file, room for a few bytes") << Kind::Sound << 6;
        QTest::newRow("lumbi.prf, no room") << Kind::Lumbo << 0;
        QTest::newRow("lumbi.prf, room for a few bytes") << Kind::Lumbo << 6;
    }
    void fullDiskLeavesTheOldFileAndSaysSo()
    {
        QFETCH(Kind, kind);
        QFETCH(int, room);
        TempProgramFolder folder;
        const SettingsStore store{DataFolders(folder.path())};
        QVERIFY(store.writeDefaults().ok());
        const QString settings = folder.file("Settings");
        const QString path = settings + (kind == Kind::Skin    ? "/Dovpref.prf"
                                         : kind == Kind::Sound ? "/Dovspref.prf"
                                                               : "/lumbi.prf");
        const QByteArray before = TempProgramFolder::read(path);

        Saved saved;
        {
            const FileSizeLimit full{rlim_t(room)};
            saved =
                kind == Kind::Skin ? store.writeSkin(Design::Dov, {QStringLiteral("/new/skin.jpg"), {}})
                : kind == Kind::Sound
                    ? store.writeSound(Design::Dov, {QStringLiteral("/new.wav"), QStringLiteral("1 hour")})
                    : store.writeLumbo({1, 2, 1, 0});
        }
        QVERIFY(!saved.ok());
        QVERIFY2(saved.problem.contains(path), qPrintable(saved.problem));
        QCOMPARE(TempProgramFolder::read(path), before);
        QCOMPARE(QDir(settings).entryList(QDir::Files | QDir::Hidden).size(), 13);
    }

    void firstStartOnAFullDiskFails()
    {
        TempProgramFolder folder;
        Saved saved;
        {
            const FileSizeLimit full{0};
            saved = SettingsStore(DataFolders(folder.path())).writeDefaults();
        }
        QVERIFY(!saved.ok());
        QVERIFY2(saved.problem.contains(folder.path()), qPrintable(saved.problem));
    }

    void firstStartCutShortLeavesNoSettingsFolder()
    {
        TempProgramFolder folder;
        const DataFolders folders(folder.path());
        // Room for the short files but not for the Norvi skin file, the eighth of the thirteen:
        // the first start stops half-way, as if it had been killed there.
        const rlim_t room = rlim_t(folder.path().toUtf8().size() + 40);
        Saved saved;
        {
            const FileSizeLimit full{room};
            saved = SettingsStore(folders).writeDefaults();
        }
        QVERIFY(!saved.ok());
        QVERIFY2(!QFileInfo::exists(folder.file("Settings")), "a half-written settings folder was left");
        QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 (QStringList{"Skins", "Sounds"}));
        QVERIFY(isFirstStart(folders));

        // With room again, the next start is a whole first start.
        QVERIFY(SettingsStore(folders).writeDefaults().ok());
        QCOMPARE(QDir(folder.file("Settings")).entryList(QDir::Files).size(), 13);
    }

    void savesReplaceNothingButARegularFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("a pipe") << "pipe";
        QTest::newRow("a link to a pipe") << "link to pipe";
        QTest::newRow("a link to a device") << "link to device";
        QTest::newRow("a link to nothing") << "dangling link";
    }
    void savesReplaceNothingButARegularFile()
    {
        QFETCH(QString, kind);
        TempProgramFolder folder;
        QVERIFY(SettingsStore(DataFolders(folder.path())).writeDefaults().ok());
        const QString path = folder.file("Settings/Dovpref.prf");
        const QString pipe = folder.file("pipe");
        QVERIFY(QFile::remove(path));
        QVERIFY(::mkfifo(QFile::encodeName(kind == "pipe" ? path : pipe).constData(), 0600) == 0);
        const QString target = kind == "link to pipe"     ? pipe
                               : kind == "link to device" ? "/dev/null"
                                                          : folder.file("gone");
        if (kind != "pipe")
            QVERIFY(QFile::link(target, path));
        const auto kindOf = [](const QString &name) {
            struct stat info {};
            return ::lstat(QFile::encodeName(name).constData(), &info) == 0 ? info.st_mode & S_IFMT : 0;
        };
        const auto before = kindOf(path);

        const Saved saved = SettingsStore(DataFolders(folder.path()))
                                .writeSkin(Design::Dov, {QStringLiteral("/new.jpg"), {}});
        QVERIFY(!saved.ok());
        QVERIFY2(saved.problem.contains(path) && saved.problem.contains("not a regular file"),
                 qPrintable(saved.problem));
        QCOMPARE(kindOf(path), before);
        if (kind != "pipe")
            QCOMPARE(QFileInfo(path).symLinkTarget(), target);
        QCOMPARE(kindOf(kind == "pipe" ? path : pipe), mode_t(S_IFIFO));
        QVERIFY(!QFileInfo::exists(folder.file("gone")));
    }

    void savesFollowALinkToARegularFile()
    {
        // Settings kept elsewhere (say, with the user's other dotfiles) through a link stay there.
        TempProgramFolder folder;
        QVERIFY(SettingsStore(DataFolders(folder.path())).writeDefaults().ok());
        const QString path = folder.file("Settings/Dovpref.prf");
        const QString target = folder.file("elsewhere.prf");
        QVERIFY(QFile::rename(path, target));
        QVERIFY(QFile::link(target, path));
        QVERIFY(SettingsStore(DataFolders(folder.path()))
                    .writeSkin(Design::Dov, {QStringLiteral("/new.jpg"), {}})
                    .ok());
        QCOMPARE(QFileInfo(path).symLinkTarget(), target);
        QCOMPARE(TempProgramFolder::read(target), crlf({"/new.jpg"}));
    }

    void settingsFolderThatCannotBeMadeIsReported()
    {
        TempProgramFolder folder;
        TempProgramFolder::write(folder.file("Settings"), "a file where the folder should be");
        const Saved saved = SettingsStore(DataFolders(folder.path())).writeDefaults();
        QVERIFY(!saved.ok());
        QVERIFY2(saved.problem.contains(folder.file("Settings")), qPrintable(saved.problem));
    }

    void refreshIsTakenOnce()
    {
        RefreshSignal signal;
        QVERIFY(!signal.take());
        signal.raise();
        signal.raise(); // Save, then each closing event of the dialog
        signal.raise();
        QVERIFY(signal.take());
        QVERIFY(!signal.take());
        QCOMPARE(signal.carrier(), QString());

        signal.setCarrier(QStringLiteral("Refrsh")); // letter case counts
        QVERIFY(!signal.take());
        QCOMPARE(signal.carrier(), QStringLiteral("Refrsh"));
    }
};

QTEST_GUILESS_MAIN(TestSettingsFiles)
#include "tst_settingsfiles.moc"
