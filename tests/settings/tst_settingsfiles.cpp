#include "base/WindowNames.h"
#include "platform/LocalFiles.h"
#include "settings/SettingsFormat.h"
#include "settings/SettingsStore.h"
#include "shell/Startup.h"
#include "support/FakePlatform.h"
#include "support/FakeWindows.h"
#include "support/FileSizeLimit.h"
#include "support/FolderSnapshot.h"
#include "support/TempProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <optional>
#include <sys/stat.h>

using namespace vrim;
using namespace vrim::test;

namespace {

QByteArray crlf(std::initializer_list<QByteArray> lines)
{
    QByteArray out;
    for (const QByteArray &line : lines)
        out += line + "\r\n";
    return out;
}

// What the reader makes of one of Dov's files or of Lumbo's, as its clock asks for it: the values
// in the order the file holds them, why the file is unusable, and whether the defaults came back.
struct ReadBack {
    QStringList values;
    QString problem;
    bool defaults = false;
};
ReadBack readBack(const SettingsStore &store, const QString &file)
{
    if (file == "lumbi.prf") {
        const auto read = store.readLumbo();
        const LumboSettings &v = read.value;
        return {{QString::number(v.innerColour), QString::number(v.outerColour),
                 QString::number(v.frameBorder), QString::number(v.soundSwitch)},
                read.problem,
                v == SettingsStore::defaultLumbo()};
    }
    if (file == "Dovpref.prf") {
        const auto read = store.readSkin(Design::Dov);
        return {{read.value.picture}, read.problem, read.value == store.defaultSkin(Design::Dov)};
    }
    const auto read = store.readSound(Design::Dov);
    return {
        {read.value.sound, read.value.interval}, read.problem, read.value == store.defaultSound(Design::Dov)};
}

} // namespace

class TestSettingsFiles : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { runAsNobodyIfRoot(); }

    void defaultsAreWrittenByteForByte()
    {
        TempProgramFolder folder;
        const SettingsStore store{DataFolders(folder.path())};
        QVERIFY(store.writeDefaults().ok());

        const QByteArray p = folder.path().toUtf8();
        QVERIFY(QDir(folder.path()).mkdir("plain"));
        QCOMPARE(QFileInfo(folder.file("Settings")).permissions(),
                 QFileInfo(folder.file("plain")).permissions());
        QCOMPARE(QDir(folder.file("Settings")).entryList(QDir::Files).size(), 13);
        // One of each shape: a skin file of two pictures, a sound file, Lumbo's numbers.
        const QMap<QString, QByteArray> expected = {
            {"norvipref.prf", crlf({p + "/Skins/norvi/butnrock-3d.jpg", p + "/Skins/norvi/plum.jpg"})},
            {"Mipcsprefs.prf", crlf({p + "/Sounds/niaa.wav", "5 min"})},
            {"lumbi.prf", " 6573604 \r\n 5456158 \r\n 0 \r\n 1 \r\n"},
        };
        for (auto it = expected.cbegin(); it != expected.cend(); ++it)
            QCOMPARE(TempProgramFolder::read(folder.file("Settings/" + it.key())), it.value());
        // The installed folder's own spelling is taken.
        QVERIFY(QDir(folder.path()).rename("Skins", "skins"));
        QCOMPARE(store.defaultSkin(Design::Quenz).picture, folder.file("skins/Quenz/dunga-3d.jpg"));
    }

    // Names that are no UTF-8 (older single-byte ones, broken sequences) keep their bytes
    // through Qt, and a line read is written back as it was.
    void fileNamesKeepTheirBytes()
    {
        for (const QByteArray &name :
             {QByteArray("/h\xc3\xa9/\xe6\x97\xa5\xe6\x9c\xac/\xf0\x9f\x8e\xb5.wav"), // UTF-8
              QByteArray("/caf\xe9/\xc4pfel.jpg"),                                    // Latin-1
              QByteArray("/a\xc3"),                // a lead byte cut off at the end
              QByteArray("/a\xc0\xaf.jpg"),        // an overlong slash
              QByteArray("/a\xed\xa0\x80.jpg"),    // an encoded surrogate
              QByteArray("/\xe9t\xc3\xa9.jpg")}) { // Latin-1 beside UTF-8
            QCOMPARE(files::nativeName(files::fromNativeName(name)), name);
            QCOMPARE(prf::encodeText(prf::firstLines(name + "\r\n", 1)->front()), name + "\r\n");
        }
    }

    // A file is read as it stands, or, every way it can be damaged, each once: the reader says in
    // a few readable words what is wrong with which file and hands back the defaults. Reading never
    // writes.
    void aFileIsReadOrItsDamageSaid_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("damage"); // how the file is made; none: the bytes as given
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("values"); // none: damaged, and `says` is part of why
        QTest::addColumn<QString>("says");
        const QString s = QStringLiteral("Dovspref.prf");
        const QStringList damaged;
        QByteArray program("\177ELF\2\1\1");
        for (int i = 0; i < 4096; ++i)
            program += char(i * 7);
        // clang-format off
        QTest::newRow("plain CR LF") << s << "" << crlf({"/a/b.wav", "10 min"}) << QStringList{"/a/b.wav", "10 min"} << "";
        QTest::newRow("a comma stays in the path") << s << "" << crlf({"/a,b/c.wav", "5 min"}) << QStringList{"/a,b/c.wav", "5 min"} << "";
        QTest::newRow("quotes of older files are dropped") << s << "" << crlf({"\"/a b/c.wav\"", "\"1 hour\""}) << QStringList{"/a b/c.wav", "1 hour"} << "";
        QTest::newRow("leading blanks are skipped") << s << "" << crlf({"   /a/c.wav", "\t15 min"}) << QStringList{"/a/c.wav", "15 min"} << "";
        QTest::newRow("bare LF line ends") << s << "" << QByteArray("/a/c.wav\n30 min\n") << QStringList{"/a/c.wav", "30 min"} << "";
        QTest::newRow("no line end after the last line") << s << "" << QByteArray("/a/c.wav\r\nNo chime") << QStringList{"/a/c.wav", "No chime"} << "";
        QTest::newRow("swapped lines and letter case as they stand") << s << "" << crlf({"5 Min", "/a/c.wav"}) << QStringList{"5 Min", "/a/c.wav"} << "";
        QTest::newRow("extra lines are not read") << s << "" << crlf({"/a/c.wav", "5 min", "junk"}) << QStringList{"/a/c.wav", "5 min"} << "";
        QTest::newRow("empty path is an empty line") << s << "" << crlf({"", "5 min"}) << QStringList{"", "5 min"} << "";
        QTest::newRow("non-ASCII path in UTF-8") << s << "" << crlf({"/hé/日本/ü.wav", "5 min"}) << QStringList{QString::fromUtf8("/hé/日本/ü.wav"), "5 min"} << "";
        QTest::newRow("older single-byte path") << s << "" << crlf({"/caf\xe9/a.wav", "5 min"}) << QStringList{files::fromNativeName("/caf\xe9/a.wav"), "5 min"} << "";
        QTest::newRow("Lumbo's numbers as written") << "lumbi.prf" << "" << QByteArray(" 255 \r\n 65280 \r\n 1 \r\n 0 \r\n") << QStringList{"255", "65280", "1", "0"} << "";
        QTest::newRow("Lumbo's numbers negative, comma-cut and bare LF") << "lumbi.prf" << "" << QByteArray("-1 \n  12 , 7\n0\n 1\n") << QStringList{"-1", "12", "0", "1"} << "";
        QTest::newRow("missing") << s << "missing" << QByteArray() << damaged << "is missing";
        QTest::newRow("empty") << s << "" << QByteArray("") << damaged << "0 of its 2 lines";
        // Bytes that are no text are spelt out, not shown as boxes.
        QTest::newRow("a program's bytes") << "Dovpref.prf" << "" << program << damaged << "(it reads \"\\x7fELF\\x02\\x01\\x01\\x00\\x07";
        QTest::newRow("50 MB") << "Dovpref.prf" << "50 MB" << QByteArray() << damaged << "larger than 64 KB";
        QTest::newRow("unreadable") << "Dovpref.prf" << "unreadable" << QByteArray() << damaged << "Permission denied";
        // A pipe must not hold the reader, nor a device flood it; a file of 64 KiB is read whole.
        QTest::newRow("a pipe with no writer") << "Dovpref.prf" << "pipe" << QByteArray() << damaged << "not a regular file";
        QTest::newRow("a link to /dev/zero") << "lumbi.prf" << "device" << QByteArray() << damaged << "not a regular file";
        QTest::newRow("64 KiB of NUL bytes, one long line") << "Dovpref.prf" << "" << QByteArray(64 * 1024, '\0') << damaged << "65536 characters long";
        QTest::newRow("lumbi.prf, not a number") << "lumbi.prf" << "" << QByteArray(" 255 \r\n blue \r\n 1 \r\n 0 \r\n") << damaged << "";
        QTest::newRow("lumbi.prf, a switch beyond 16 bits") << "lumbi.prf" << "" << QByteArray(" 1 \r\n 2 \r\n 70000 \r\n 0 \r\n") << damaged << "";
        // clang-format on
    }
    void aFileIsReadOrItsDamageSaid()
    {
        QFETCH(QString, file);
        QFETCH(QString, damage);
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, values);
        QFETCH(QString, says);
        TempProgramFolder folder;
        const SettingsStore store{DataFolders(folder.path())};
        QVERIFY(store.writeDefaults().ok());
        const QString path = folder.file("Settings/" + file);
        QVERIFY(QFile::remove(path));
        if (damage.isEmpty()) {
            TempProgramFolder::write(path, bytes);
        } else if (damage == "50 MB" || damage == "unreadable") {
            TempProgramFolder::write(path, crlf({"/a.jpg"}));
            QVERIFY(damage == "50 MB" ? QFile(path).resize(50 * 1024 * 1024)
                                      : QFile::setPermissions(path, {}));
        } else if (damage == "pipe") {
            QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        } else if (damage == "device") {
            QVERIFY(QFile::link("/dev/zero", path));
        }
        const QStringList before = folderSnapshot(folder.file("Settings"));
        const auto [read, problem, defaults] = readBack(store, file);
        QCOMPARE(folderSnapshot(folder.file("Settings")), before);
        if (!values.isEmpty()) {
            QVERIFY2(problem.isEmpty(), qPrintable(problem));
            QCOMPARE(read, values);
            return;
        }
        QVERIFY2(problem.contains(path) && problem.contains(says), qPrintable(problem));
        QVERIFY(defaults);
        QVERIFY2(problem.size() < path.size() + 300, qPrintable(problem));
        for (const QChar c : problem)
            QVERIFY2(c.isPrint() && c != QChar::ReplacementCharacter,
                     qPrintable(QString::asprintf("U+%04x in: ", c.unicode()) + problem));
    }

    // Saved values read back as they were; a save goes to the file there is, whatever the letter
    // case of its name and its folder's, and through a link to where the link points (settings
    // kept elsewhere, say with the user's other dotfiles, stay there).
    void savesReadBackAndGoWhereTheFileIs()
    {
        TempProgramFolder folder;
        QDir(folder.path()).mkdir("settings");
        TempProgramFolder::write(folder.file("settings/jolvexprefs.prf"), crlf({"/old.jpg"}));
        const QString elsewhere = folder.file("elsewhere.prf");
        QVERIFY(QFile::link(elsewhere, folder.file("settings/Dovpref.prf")));
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
        QCOMPARE(TempProgramFolder::read(folder.file("settings/lumbi.prf")),
                 QByteArray("-5 \r\n 16777215 \r\n 1 \r\n 0 \r\n"));

        QVERIFY(store.writeSkin(Design::Jolvex, {QStringLiteral("/new.jpg"), {}}).ok());
        QCOMPARE(TempProgramFolder::read(folder.file("settings/jolvexprefs.prf")), crlf({"/new.jpg"}));
        TempProgramFolder::write(elsewhere, crlf({"/old.jpg"}));
        QVERIFY(store.writeSkin(Design::Dov, {QStringLiteral("/new.jpg"), {}}).ok());
        QCOMPARE(QFileInfo(folder.file("settings/Dovpref.prf")).symLinkTarget(), elsewhere);
        QCOMPARE(TempProgramFolder::read(elsewhere), crlf({"/new.jpg"}));
        QCOMPARE(QDir(folder.file("settings")).entryList(QDir::Files).size(), 5); // none in other case
    }

    // A save that cannot be made says why and leaves every entry of the settings folder as it
    // was: no file half-written, no stray temporary file, nothing put in place of a pipe or link.
    void aSaveThatCannotBeMadeChangesNothing_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("obstacle");
        QTest::addColumn<QString>("value"); // the skin path saved
        QTest::addColumn<QString>("says");
        // clang-format off
        // Values that would read back differently.
        QTest::newRow("a leading blank") << "Dovpref.prf" << "" << " /a.jpg" << "";
        QTest::newRow("a line break") << "Dovpref.prf" << "" << "/a\n.jpg" << "";
        QTest::newRow("a leading byte-order mark") << "Dovpref.prf" << "" << QStringLiteral(u"\uFEFF/a.jpg") << "";
        QTest::newRow("a read-only settings folder") << "Dovspref.prf" << "read-only" << "" << "";
        // Every write, flush and sync is checked before the new file is put in place; a write
        // cut short part-way says why in the disk's own words.
        QTest::newRow("skin file, no room") << "Dovpref.prf" << "room 0" << "/new/skin.jpg" << "File too large";
        QTest::newRow("lumbi.prf, room for a few bytes") << "lumbi.prf" << "room 6" << "" << "File too large";
        // Only a regular file is replaced.
        QTest::newRow("a pipe") << "Dovpref.prf" << "pipe" << "/new.jpg" << "not a regular file";
        QTest::newRow("a link to a device") << "Dovpref.prf" << "link to device" << "/new.jpg" << "not a regular file";
        QTest::newRow("a link to nothing") << "Dovpref.prf" << "dangling link" << "/new.jpg" << "not a regular file";
        // clang-format on
    }
    void aSaveThatCannotBeMadeChangesNothing()
    {
        QFETCH(QString, file);
        QFETCH(QString, obstacle);
        QFETCH(QString, value);
        QFETCH(QString, says);
        TempProgramFolder folder;
        const SettingsStore store{DataFolders(folder.path())};
        QVERIFY(store.writeDefaults().ok());
        const QString settings = folder.file("Settings");
        const QString path = settings + u'/' + file;
        // The place a dangling link names lies in the folder too, so that the snapshot sees it.
        if (obstacle == "pipe" || obstacle.contains("link"))
            QVERIFY(QFile::remove(path));
        if (obstacle == "pipe")
            QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        if (obstacle.contains("link"))
            QVERIFY(QFile::link(
                obstacle == "link to device" ? QStringLiteral("/dev/null") : settings + "/gone", path));
        const QStringList before = folderSnapshot(settings);

        Saved saved;
        {
            if (obstacle == "read-only")
                QVERIFY(QFile::setPermissions(settings, QFile::ReadOwner | QFile::ExeOwner));
            std::optional<FileSizeLimit> full;
            if (obstacle.startsWith("room"))
                full.emplace(rlim_t(obstacle.mid(5).toInt()));
            saved = file == "Dovpref.prf"    ? store.writeSkin(Design::Dov, {value, {}})
                    : file == "Dovspref.prf" ? store.writeSound(Design::Dov, {"/x.wav", "1 hour"})
                                             : store.writeLumbo({1, 2, 1, 0});
        }
        QFile::setPermissions(settings, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(!saved.ok());
        QVERIFY2(saved.problem.contains(path) && saved.problem.contains(says), qPrintable(saved.problem));
        QCOMPARE(folderSnapshot(settings), before);
    }

    // The start says that the settings folder could not be made, and why, and leaves the program
    // folder as it was; once the fault is gone the next start is a whole first start.
    void firstStartThatCannotFinish_data()
    {
        QTest::addColumn<QString>("obstacle");
        QTest::addColumn<QString>("why");
        // clang-format off
        QTest::newRow("a read-only program folder") << "read-only" << "Permission denied";
        // Room for the short files but not for the Norvi skin file, the eighth of the thirteen:
        // the first start stops half-way, as if it had been killed there.
        QTest::newRow("cut short half-way") << "room for some" << "norvipref.prf could not be written (File too large)";
        QTest::newRow("a file where the folder should be") << "file" << "";
        // clang-format on
    }
    void firstStartThatCannotFinish()
    {
        QFETCH(QString, obstacle);
        QFETCH(QString, why);
        TempProgramFolder folder;
        const DataFolders folders(folder.path());
        if (obstacle == "file")
            TempProgramFolder::write(folder.file("Settings"), "a file where the folder should be");
        const QStringList before = folderSnapshot(folder.path());
        FakePlatform platform;
        StandIns windows({window::Splash});
        bool started = false;
        {
            if (obstacle == "read-only")
                QVERIFY(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner));
            std::optional<FileSizeLimit> full;
            if (obstacle == "room for some")
                full.emplace(rlim_t(folder.path().toUtf8().size() + 40));
            started = startUp(folders, windows.registry, platform);
        }
        QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(!started);
        QCOMPARE(platform.shownMessages.size(), 1);
        const QString said = platform.shownMessages.front();
        QVERIFY2(
            said.contains(
                QStringLiteral("The settings folder %1 could not be created").arg(folder.file("Settings"))) &&
                said.contains(why) && !said.contains("left as it was"),
            qPrintable(said));
        QCOMPARE(folderSnapshot(folder.path()), before);

        QFile::remove(folder.file("Settings"));
        QVERIFY(isFirstStart(folders));
        QVERIFY(SettingsStore(folders).writeDefaults().ok());
        QCOMPARE(QDir(folder.file("Settings")).entryList(QDir::Files).size(), 13);
    }

    // A first start writes the defaults and shows the splash; a later one clears what killed
    // starts and saves left behind and leaves what the user keeps there alone.
    void startUpClearsWhatKilledStartsAndSavesLeft()
    {
        TempProgramFolder folder;
        const DataFolders folders(folder.path());
        FakePlatform platform;
        StandIns windows({window::Splash});
        const auto entries = [&folder](const QString &in) {
            return QDir(folder.file(in)).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        };
        // A first start killed while it wrote the defaults, in its own folder beside the program.
        QVERIFY(QDir(folder.path()).mkdir("Settings.new-Ab12Cd"));
        TempProgramFolder::write(folder.file("Settings.new-Ab12Cd/Quenzpref.prf"), "/half");
        QVERIFY(isFirstStart(folders));
        QVERIFY(startUp(folders, windows.registry, platform));
        QCOMPARE(entries(""), (QStringList{"Settings", "Skins", "Sounds"}));
        QCOMPARE(entries("Settings").size(), 13);
        QCOMPARE(windows.registry.loaded(), QStringList{window::Splash});
        windows.registry.unload(window::Splash);

        // A save killed before its rename: the temporary file beside the settings file goes.
        for (const QString name : {"Dovpref.prf", "Dovpref.prf.xYkQzw", "notes.txt", "Dovpref.prf.old"})
            TempProgramFolder::write(folder.file("Settings/" + name), name.toUtf8());
        QVERIFY(!isFirstStart(folders));
        QVERIFY(startUp(folders, windows.registry, platform));
        const QStringList left = entries("Settings");
        QCOMPARE(left.size(), 15);
        QVERIFY(!left.contains("Dovpref.prf.xYkQzw") && left.contains("notes.txt") &&
                left.contains("Dovpref.prf.old"));
        QCOMPARE(TempProgramFolder::read(folder.file("Settings/Dovpref.prf")), "Dovpref.prf");
        QVERIFY(platform.shownMessages.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSettingsFiles)
#include "tst_settingsfiles.moc"
