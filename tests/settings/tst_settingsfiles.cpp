#include "base/WindowNames.h"
#include "base/WindowRegistry.h"
#include "platform/LocalFiles.h"
#include "session/OpenWindows.h"
#include "session/SessionOptions.h"
#include "session/WindowKeeper.h"
#include "settings/ChimeRules.h"
#include "settings/Chimer.h"
#include "settings/SettingsFormat.h"
#include "settings/SettingsStore.h"
#include "shell/Startup.h"
#include "support/FakePlatform.h"
#include "support/FakeWindows.h"
#include "support/FileSizeLimit.h"
#include "support/FolderSnapshot.h"
#include "support/TempProgramFolder.h"

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

// The settings folder and its files: where they lie, how they are read and saved, what a start
// leaves there, and the chimes their intervals name; the desktop session's files.
class TestSettingsFiles : public QObject {
    Q_OBJECT

    // A window that stays where it is put.
    class Placed final : public ManagedWindow {
    public:
        explicit Placed(WindowPlace &place)
            : m_place(place)
        {}
        void present() override {}
        std::optional<WindowPlace> place() const override { return m_place; }
        void putAt(const WindowPlace &place) override { m_place = place; }

    private:
        WindowPlace &m_place;
    };

    struct Rig {
        TempProgramFolder folder;
        FakePlatform platform;
        WindowRegistry registry;
        std::map<QString, WindowPlace> places;
        QString record = folder.file(QStringLiteral("state/vrimclocks/open-windows"));
        WindowKeeper keeper{registry, platform, record, [] { return QList<QRect>{{0, 0, 1280, 800}}; }};
        Rig()
        {
            for (const QString &name : {window::Dov, window::Quenz, window::Stopwatch, window::Launcher}) {
                places[name] = {QRect(10, 20, 100, 50), true};
                registry.define(name, [this, name] { return std::make_unique<Placed>(places[name]); });
            }
        }
        // The settle timer's timeout, as the event loop would deliver it.
        void settle() { platform.timers.front()->elapse(); }
        QByteArray written() const { return TempProgramFolder::read(record); }
    };

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
        const auto file = [&folder](const char *name) { return TempProgramFolder::read(folder.file(name)); };
        QCOMPARE(file("Settings/norvipref.prf"),
                 crlf({p + "/Skins/norvi/butnrock-3d.jpg", p + "/Skins/norvi/plum.jpg"}));
        QCOMPARE(file("Settings/Mipcsprefs.prf"), crlf({p + "/Sounds/niaa.wav", "5 min"}));
        QCOMPARE(file("Settings/lumbi.prf"), " 6573604 \r\n 5456158 \r\n 0 \r\n 1 \r\n");
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

    // Relative paths of older files (backslashes, any letter case) find the entry there is, below
    // a program folder whose name has a space and a non-ASCII letter, given with or without a
    // trailing separator.
    void resolvesBelowProgramFolder()
    {
        QTemporaryDir root;
        const QString folder = root.path() + QStringLiteral("/Vrim Clocks ö");
        TempProgramFolder::write(folder + QStringLiteral("/Settings/Jolvexprefs.prf"), {});
        TempProgramFolder::write(folder + QStringLiteral("/Skins/norvi/Plum.JPG"), {});
        const std::pair<QString, QString> rows[] = {
            // clang-format off
            {"\\Settings\\jolvexprefs.prf", "/Settings/Jolvexprefs.prf"},
            {"\\settings//JOLVEXPREFS.PRF", "/Settings/Jolvexprefs.prf"}, // mixed and doubled separators
            {"\\skins\\NORVI\\plum.jpg", "/Skins/norvi/Plum.JPG"},
            {"\\SETTINGS\\", "/Settings"},
            {"\\Settings\\Dovpref.prf", "/Settings/Dovpref.prf"}, // a missing file keeps the spelling given
            {"\\Sounds\\Bzz.wav", "/Sounds/Bzz.wav"},             // so does one below a missing folder
            // clang-format on
        };
        for (const auto &[relative, expected] : rows) {
            QCOMPARE(DataFolders(folder).path(relative), folder + expected);
            QCOMPARE(DataFolders(folder + QStringLiteral("//")).path(relative), folder + expected);
        }
    }

    // Settings files written before the program moved (a new version in a new folder, a build
    // folder copied elsewhere) still name the old folder's skins and chimes.
    void storedPathsFollowTheProgramFolder()
    {
        QTemporaryDir root;
        const QString here = root.path() + QStringLiteral("/new/vrimclocks");
        const QString elsewhere = root.path() + QStringLiteral("/pictures");
        for (const QString &file : QStringList{here + "/Skins/Quenz/dunga-3d.jpg", here + "/Sounds/bzz.wav",
                                               elsewhere + "/Skins/Quenz/dunga-3d.jpg"})
            TempProgramFolder::write(file, {});
        const QString dunga = here + "/Skins/Quenz/dunga-3d.jpg";
        const std::pair<QString, QString> rows[] = {
            // clang-format off
            {here + "\\skins\\QUENZ\\Dunga-3d.JPG", dunga}, // this folder, with backslashes, in other letter case
            {"", ""},
            {"/opt/vrimclocks-0.9/Skins/Quenz/dunga-3d.jpg", dunga}, // as written on the first start
            {"\\home\\ann\\Vrim Clocks\\SOUNDS\\Bzz.WAV", here + "/Sounds/bzz.wav"},
            {"/srv/Skins/old/Skins/Quenz/dunga-3d.jpg", dunga}, // a folder named Skins above the program's
            {elsewhere + "/Skins/Quenz/dunga-3d.jpg", elsewhere + "/Skins/Quenz/dunga-3d.jpg"}, // the user's own
            // A missing file the program never had, or outside any program folder, stays missing.
            {"/opt/vrimclocks-0.9/Skins/Quenz/mine.jpg", "/opt/vrimclocks-0.9/Skins/Quenz/mine.jpg"},
            {"/home/ann/Quenz/dunga-3d.jpg", "/home/ann/Quenz/dunga-3d.jpg"},
            {"/opt/old/Skins/Quenz", "/opt/old/Skins/Quenz"}, // a folder is not a file
            // clang-format on
        };
        for (const auto &[stored, expected] : rows)
            QCOMPARE(DataFolders(here).resolveStored(stored), expected);
    }

    // Beside a program folder the user may write to, Settings stay there. An installed one is
    // only read: each user's Settings go to their own data folder, made on their first start
    // with its missing parents.
    void settingsGoWhereTheUserMayWrite()
    {
        QTemporaryDir root;
        const QString program = root.path() + QStringLiteral("/opt/vrimclocks");
        TempProgramFolder::write(program + QStringLiteral("/Skins/Quenz/dunga-3d.jpg"), {});
        TempProgramFolder::write(program + QStringLiteral("/Sounds/iauu.wav"), {});
        const QString ann = root.path() + QStringLiteral("/ann/.local/share/vrimclocks");
        const QString bob = root.path() + QStringLiteral("/bob/data/vrimclocks");
        QCOMPARE(DataFolders::forProgram(program, ann).settingsPath(),
                 program + QStringLiteral("/Settings/"));

        QVERIFY(QFile(program).setPermissions(QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther |
                                              QFile::ExeOther));
        const auto restore = qScopeGuard(
            [&] { QFile(program).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); });
        const QStringList before = folderSnapshot(program);
        for (const QString &user : {ann, bob}) {
            const DataFolders folders = DataFolders::forProgram(program, user);
            QVERIFY(isFirstStart(folders));
            const auto saved = SettingsStore(folders).writeDefaults();
            QVERIFY2(saved.ok(), qPrintable(saved.problem));
            QCOMPARE(QDir(user + QStringLiteral("/Settings")).entryList(QDir::Files).size(), 13);
            QVERIFY(!isFirstStart(folders));
            const auto skin = SettingsStore(folders).readSkin(Design::Quenz);
            QCOMPARE(skin.value.picture, program + QStringLiteral("/Skins/Quenz/dunga-3d.jpg"));
        }
        QVERIFY(SettingsStore(DataFolders::forProgram(program, ann))
                    .writeSound(Design::Quenz, {QStringLiteral("/x.wav"), QStringLiteral("1 hour")})
                    .ok());
        QCOMPARE(SettingsStore(DataFolders::forProgram(program, bob)).readSound(Design::Quenz).value.interval,
                 QStringLiteral("5 min"));
        QCOMPARE(folderSnapshot(program), before);
    }

    // A file is read as it stands, or, every way it can be damaged, each once: the reader says in
    // a few readable words what is wrong with which file and hands back the defaults. Reading never
    // writes.
    void aFileIsReadOrItsDamageSaid()
    {
        const QString s = QStringLiteral("Dovspref.prf");
        const QStringList damaged;
        QByteArray program("\177ELF\2\1\1");
        for (int i = 0; i < 4096; ++i)
            program += char(i * 7);
        // The file, how it is made (none: the bytes as given), its bytes, the values read (none:
        // damaged, and the last column is part of why).
        const std::tuple<const char *, QString, QString, QByteArray, QStringList, QString> rows[] = {
            // clang-format off
            {"plain CR LF", s, "", crlf({"/a/b.wav", "10 min"}), QStringList{"/a/b.wav", "10 min"}, ""},
            {"a comma stays in the path", s, "", crlf({"/a,b/c.wav", "5 min"}), QStringList{"/a,b/c.wav", "5 min"}, ""},
            {"quotes of older files are dropped", s, "", crlf({"\"/a b/c.wav\"", "\"1 hour\""}), QStringList{"/a b/c.wav", "1 hour"}, ""},
            {"leading blanks are skipped", s, "", crlf({"   /a/c.wav", "\t15 min"}), QStringList{"/a/c.wav", "15 min"}, ""},
            {"bare LF line ends", s, "", QByteArray("/a/c.wav\n30 min\n"), QStringList{"/a/c.wav", "30 min"}, ""},
            {"no line end after the last line", s, "", QByteArray("/a/c.wav\r\nNo chime"), QStringList{"/a/c.wav", "No chime"}, ""},
            {"swapped lines and letter case as they stand", s, "", crlf({"5 Min", "/a/c.wav"}), QStringList{"5 Min", "/a/c.wav"}, ""},
            {"extra lines are not read", s, "", crlf({"/a/c.wav", "5 min", "junk"}), QStringList{"/a/c.wav", "5 min"}, ""},
            {"empty path is an empty line", s, "", crlf({"", "5 min"}), QStringList{"", "5 min"}, ""},
            {"non-ASCII path in UTF-8", s, "", crlf({"/hé/日本/ü.wav", "5 min"}), QStringList{QString::fromUtf8("/hé/日本/ü.wav"), "5 min"}, ""},
            {"older single-byte path", s, "", crlf({"/caf\xe9/a.wav", "5 min"}), QStringList{files::fromNativeName("/caf\xe9/a.wav"), "5 min"}, ""},
            {"Lumbo's numbers as written", "lumbi.prf", "", QByteArray(" 255 \r\n 65280 \r\n 1 \r\n 0 \r\n"), QStringList{"255", "65280", "1", "0"}, ""},
            {"Lumbo's numbers negative, comma-cut and bare LF", "lumbi.prf", "", QByteArray("-1 \n  12 , 7\n0\n 1\n"), QStringList{"-1", "12", "0", "1"}, ""},
            {"missing", s, "missing", QByteArray(), damaged, "is missing"},
            {"empty", s, "", QByteArray(""), damaged, "0 of its 2 lines"},
            // Bytes that are no text are spelt out, not shown as boxes.
            {"a program's bytes", "Dovpref.prf", "", program, damaged, "(it reads \"\\x7fELF\\x02\\x01\\x01\\x00\\x07"},
            {"50 MB", "Dovpref.prf", "50 MB", QByteArray(), damaged, "larger than 64 KB"},
            {"unreadable", "Dovpref.prf", "unreadable", QByteArray(), damaged, "Permission denied"},
            // A pipe must not hold the reader, nor a device flood it; a file of 64 KiB is read whole.
            {"a pipe with no writer", "Dovpref.prf", "pipe", QByteArray(), damaged, "not a regular file"},
            {"a link to /dev/zero", "lumbi.prf", "device", QByteArray(), damaged, "not a regular file"},
            {"64 KiB of NUL bytes, one long line", "Dovpref.prf", "", QByteArray(64 * 1024, '\0'), damaged, "65536 characters long"},
            {"lumbi.prf, not a number", "lumbi.prf", "", QByteArray(" 255 \r\n blue \r\n 1 \r\n 0 \r\n"), damaged, ""},
            {"lumbi.prf, a switch beyond 16 bits", "lumbi.prf", "", QByteArray(" 1 \r\n 2 \r\n 70000 \r\n 0 \r\n"), damaged, ""},
            // clang-format on
        };
        for (const auto &[row, file, damage, bytes, values, says] : rows) {
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
            QVERIFY2(folderSnapshot(folder.file("Settings")) == before, row);
            const QString said = row + (": " + problem);
            if (!values.isEmpty()) {
                QVERIFY2(problem.isEmpty() && read == values, qPrintable(said + read.join(u'|')));
                continue;
            }
            QVERIFY2(problem.contains(path) && problem.contains(says) && defaults, qPrintable(said));
            QVERIFY2(problem.size() < path.size() + 300, qPrintable(said));
            for (const QChar c : problem)
                QVERIFY2(c.isPrint() && c != QChar::ReplacementCharacter,
                         qPrintable(QString::asprintf("U+%04x in ", c.unicode()) + said));
        }
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
    void aSaveThatCannotBeMadeChangesNothing()
    {
        // The file, what stands in the way, the skin path saved, part of what is said.
        const std::tuple<const char *, QString, QString, QString, QString> rows[] = {
            // clang-format off
            // Values that would read back differently.
            {"a leading blank", "Dovpref.prf", "", " /a.jpg", ""},
            {"a line break", "Dovpref.prf", "", "/a\n.jpg", ""},
            {"a leading byte-order mark", "Dovpref.prf", "", QStringLiteral(u"\uFEFF/a.jpg"), ""},
            {"a read-only settings folder", "Dovspref.prf", "read-only", "", ""},
            // Every write, flush and sync is checked before the new file is put in place; a write
            // cut short part-way says why in the disk's own words.
            {"skin file, no room", "Dovpref.prf", "room 0", "/new/skin.jpg", "File too large"},
            {"lumbi.prf, room for a few bytes", "lumbi.prf", "room 6", "", "File too large"},
            // Only a regular file is replaced.
            {"a pipe", "Dovpref.prf", "pipe", "/new.jpg", "not a regular file"},
            {"a link to a device", "Dovpref.prf", "link to device", "/new.jpg", "not a regular file"},
            {"a link to nothing", "Dovpref.prf", "dangling link", "/new.jpg", "not a regular file"},
            // clang-format on
        };
        for (const auto &[row, file, obstacle, value, says] : rows) {
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
            QVERIFY2(!saved.ok() && saved.problem.contains(path) && saved.problem.contains(says),
                     qPrintable(row + saved.problem));
            QVERIFY2(folderSnapshot(settings) == before, row);
        }
    }

    // The first start's writing says that the settings folder could not be made, and why, and
    // leaves the program folder as it was; once the fault is gone the next start is a whole first
    // start.
    void firstStartThatCannotFinish()
    {
        const std::tuple<const char *, QString, QString> rows[] = {
            // what stands in the way, part of why
            // clang-format off
            {"a read-only program folder", "read-only", "Permission denied"},
            // Room for the short files but not for the Norvi skin file, the eighth of the thirteen:
            // the first start stops half-way, as if it had been killed there.
            {"cut short half-way", "room for some", "norvipref.prf could not be written (File too large)"},
            {"a file where the folder should be", "file", ""},
            // clang-format on
        };
        for (const auto &[row, obstacle, why] : rows) {
            TempProgramFolder folder;
            const DataFolders folders(folder.path());
            if (obstacle == "file")
                TempProgramFolder::write(folder.file("Settings"), "a file where the folder should be");
            const QStringList before = folderSnapshot(folder.path());
            Saved saved;
            {
                if (obstacle == "read-only")
                    QVERIFY(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner));
                std::optional<FileSizeLimit> full;
                if (obstacle == "room for some")
                    full.emplace(rlim_t(folder.path().toUtf8().size() + 40));
                saved = SettingsStore(folders).writeDefaults();
            }
            QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QVERIFY2(!saved.ok(), row);
            const QString said = saved.problem;
            QVERIFY2(said.contains(QStringLiteral("The settings folder %1 could not be created")
                                       .arg(folder.file("Settings"))) &&
                         said.contains(why) && !said.contains("left as it was"),
                     qPrintable(said));
            QVERIFY2(folderSnapshot(folder.path()) == before, row);

            QFile::remove(folder.file("Settings"));
            QVERIFY(isFirstStart(folders));
            QVERIFY(SettingsStore(folders).writeDefaults().ok());
            QCOMPARE(QDir(folder.file("Settings")).entryList(QDir::Files).size(), 13);
        }
    }

    // A start clears what killed starts and saves left behind, leaves what the user keeps there
    // alone, and shows the splash.
    void startUpClearsWhatKilledStartsAndSavesLeft()
    {
        TempProgramFolder folder;
        const DataFolders folders(folder.path());
        StandIns windows({window::Splash});
        const auto entries = [&folder](const QString &in) {
            return QDir(folder.file(in)).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        };
        // A first start killed while it wrote the defaults, in its own folder beside the program.
        QVERIFY(QDir(folder.path()).mkdir("Settings.new-Ab12Cd"));
        TempProgramFolder::write(folder.file("Settings.new-Ab12Cd/Quenzpref.prf"), "/half");
        QVERIFY(isFirstStart(folders));
        startUp(folders, windows.registry);
        QCOMPARE(entries(""), (QStringList{"Skins", "Sounds"}));
        QCOMPARE(windows.registry.loaded(), QStringList{window::Splash});
        windows.registry.unload(window::Splash);
        QVERIFY(SettingsStore(folders).writeDefaults().ok());
        QCOMPARE(entries("Settings").size(), 13);

        // A save killed before its rename: the temporary file beside the settings file goes.
        for (const QString name : {"Dovpref.prf", "Dovpref.prf.xYkQzw", "notes.txt", "Dovpref.prf.old"})
            TempProgramFolder::write(folder.file("Settings/" + name), name.toUtf8());
        QVERIFY(!isFirstStart(folders));
        startUp(folders, windows.registry);
        const QStringList left = entries("Settings");
        QCOMPARE(left.size(), 15);
        QVERIFY(!left.contains("Dovpref.prf.xYkQzw") && left.contains("notes.txt") &&
                left.contains("Dovpref.prf.old"));
        QCOMPARE(TempProgramFolder::read(folder.file("Settings/Dovpref.prf")), "Dovpref.prf");
    }

    // The minutes each interval chimes at; another spelling never chimes.
    void intervals()
    {
        const std::pair<QString, QString> due[] = {
            {"5 min", "00 05 10 15 20 25 30 35 40 45 50 55"},
            {"10 min", "00 10 20 30 40 50"},
            {"15 min", "00 15 30 45"},
            {"30 min", "00 30"},
            {"1 hour", "00"},
            {"No chime", ""},
            {"5 Min", ""},
        };
        for (const auto &[chime, minutes] : due)
            for (int minute = 0; minute < 60; ++minute) {
                const QString mm = QStringLiteral("%1").arg(minute, 2, 10, QLatin1Char('0'));
                QVERIFY2(intervalMatches(chime, minute % 10, mm) == minutes.split(u' ').contains(mm),
                         qPrintable(chime + " at " + mm));
            }
    }

    void soundMenuGatesAndNoChimeForcesOff()
    {
        FakeTime clock;
        clock.now = QStringLiteral("10:00:00");
        SoundMenu menu;
        menu.setFromInterval(interval::OneHour);
        QVERIFY(menu.soundOn && !menu.soundOff);
        menu.chooseOff();
        QVERIFY(!chimeDue(interval::OneHour, menu, clock, chime::of(Design::Jolvex)));
        // Sound On chosen while the interval is "No chime": the next pass takes it back.
        menu.chooseOn();
        QVERIFY(!chimeDue(interval::NoChime, menu, clock, chime::of(Design::Jolvex)));
        QVERIFY(!menu.soundOn && menu.soundOff);
        // An unknown interval never chimes and leaves the marks alone.
        menu.chooseOn();
        QVERIFY(!chimeDue(QStringLiteral("5 Min"), menu, clock, chime::of(Design::Jolvex)));
        QVERIFY(menu.soundOn && !menu.soundOff);
        // The tens from a reading before the minute turns, the units from one after: "20".
        clock.script = {"10:29:59", "10:30:00"};
        QVERIFY(chimeDue(interval::TenMinutes, menu, clock, chime::of(Design::Dov), 0));
    }

    // A due time chimes each time the clock comes to it, never twice on one coming. Passes as
    // "HH:MM:SS@s", the time of day and the seconds on the clock that never jumps.
    void aDueTimeChimesEachTimeTheClockComesToIt()
    {
        const std::tuple<const char *, Design, QString, QString, QString> rows[] = {
            // clang-format off
            {"set back an hour: the hour chimes again", Design::Norvi, interval::OneHour, "10:00:00@0 10:20:00@1200 09:20:00@1201 09:59:59@3600 10:00:00@3601", "10:00:00 10:00:00"},
            {"Dov, set back an hour: its due minute chimes again, once", Design::Dov, interval::OneHour, "10:00:00@0 10:00:20@20 10:20:00@1200 09:20:00@1201 09:59:59@3600 10:00:00@3601 10:00:30@3631", "10:00:00 10:00:00"},
            {"the hour that comes twice as summer time ends", Design::Norvi, interval::OneHour, "02:00:00@0 02:30:00@1800 02:59:59@3599 02:00:00@3600 02:00:01@3601", "02:00:00 02:00:00"},
            {"Dov, the hour that comes twice", Design::Dov, interval::OneHour, "02:00:00@0 02:00:01@1 02:59:59@3599 02:00:00@3600 02:00:01@3601", "02:00:00 02:00:00"},
            {"set back a few seconds over the due second: once", Design::Norvi, interval::OneHour, "10:00:00@0 10:00:03@3 09:59:58@4 10:00:00@6 10:00:01@7", "10:00:00"},
            {"set back within a minute of real time: once", Design::Norvi, interval::FiveMinutes, "10:05:00@0 10:05:40@40 10:04:59@41 10:05:00@42 10:05:01@43", "10:05:00"},
            {"Dov, set back a few seconds within its due minute: once", Design::Dov, interval::OneHour, "10:00:00@0 10:00:50@50 10:00:40@51 10:00:59@70", "10:00:00"},
            {"Dov, late in its due minute", Design::Dov, interval::FiveMinutes, "10:05:37@0", "10:05:37"},
            {"the others, late in the due minute", Design::Jolvex, interval::FiveMinutes, "10:05:37@0", ""},
            {"Dov, a minute not due", Design::Dov, interval::FiveMinutes, "10:06:00@0", ""},
            {"Dov, passes through its due minute: once", Design::Dov, interval::FiveMinutes, "10:04:59@0 10:05:00@1 10:05:00@1 10:05:01@2 10:05:59@60 10:06:00@61", "10:05:00"},
            {"settle passes within the due second: once", Design::Norvi, interval::OneHour, "11:00:00@0 11:00:00@0 11:00:00@0.5 11:00:01@1", "11:00:00"},
            {"the same time the next day", Design::Dov, interval::FiveMinutes, "10:05:00@0 10:06:00@60 10:05:00@86400", "10:05:00 10:05:00"},
            // clang-format on
        };
        for (const auto &[name, design, chime, passes, chimed] : rows) {
            FakeTime clock;
            RecordingPlayer player;
            SoundMenu menu;
            menu.chooseOn();
            Chimer chimer(chime::of(design));
            QStringList sounded, commands;
            for (const QString &pass : passes.split(u' ')) {
                clock.now = pass.section(u'@', 0, 0);
                clock.monoMs = qint64(pass.section(u'@', 1).toDouble() * 1000);
                const std::optional<int> units =
                    design == Design::Dov ? std::optional(clock.now.mid(4, 1).toInt()) : std::nullopt;
                if (chimer.pass(chime, menu, clock, player, units))
                    sounded << clock.now;
            }
            for (qsizetype i = 0; i < sounded.size(); ++i)
                commands << QStringLiteral("Open") << chime::of(design).playWord;
            QVERIFY2(
                sounded.join(u' ') == chimed && player.log == commands,
                qPrintable(name + (": chimed " + sounded.join(u' ') + "; played " + player.log.join(u' '))));
        }
    }

    // The record of the windows left open, the keeper that writes it and reopens them, and the
    // options and autostart entry of the program's menu.
    void recordsThatCannotBeUsed()
    {
        const std::pair<QByteArray, QString> rows[] = {
            // the record, what the complaint names
            {"HlpMnu 1 2\n", "line 1"},                 // a window that does not reopen
            {"# ok\ndov 1 2\nclock 1 2\n", "line 3"},   // no such window
            {"dov 1 x\n", "line 1"},                    // a place that is no number
            {"dov 1 99999999\n", "line 1"},             // a place far off every screen
            {"dov 1 2 above\n", "line 1"},              // a fourth word not ours
            {"dov 1 2\ndov 3 4 on-top\n", "dov twice"}, // a window twice
            {QByteArray("dov\0 1 2\n", 10), "line 1"}}; // bytes that are no text
        for (const auto &[bytes, why] : rows) {
            const auto read = openwindows::parse(bytes);
            QVERIFY2(std::holds_alternative<QString>(read) && std::get<QString>(read).contains(why),
                     bytes.constData());
        }
        // The keeper says so once, naming the record, and reopens nothing.
        Rig rig;
        TempProgramFolder::write(rig.record, "dov 1 2\nnot ours\n");
        rig.keeper.reopen();
        QVERIFY(rig.registry.loaded().isEmpty());
        QCOMPARE(rig.platform.warnings.size(), 1);
        QVERIFY2(rig.platform.warnings.front().contains(rig.record),
                 qPrintable(rig.platform.warnings.front()));
    }

    // The record is written a moment after the changes, as the windows are then; the windows
    // the Exit bar's sweep takes down stay in it; the next start puts them back.
    void followsTheWindowsAndReopensThem()
    {
        Rig rig;
        rig.keeper.setKeeping(true);
        QCOMPARE(rig.written(), openwindows::format({}));
        rig.registry.show(window::Dov);
        rig.registry.show(window::Launcher); // not a window that reopens
        rig.registry.show(window::Quenz);
        rig.places[window::Quenz] = {QRect(-500, 3000, 100, 50), false}; // on a screen since gone
        rig.registry.noteChanged(window::Quenz);
        QCOMPARE(rig.written(), openwindows::format({})); // not yet: a drag comes in many moves
        rig.settle();
        const QByteArray open =
            openwindows::format({{window::Dov, {10, 20}, true}, {window::Quenz, {-500, 3000}, false}});
        QCOMPARE(rig.written(), open);
        rig.registry.closeAll();
        rig.settle();
        QCOMPARE(rig.written(), open);

        Rig next;
        TempProgramFolder::write(next.record, open);
        next.keeper.reopen();
        QCOMPARE(next.registry.loaded(), (QStringList{window::Dov, window::Quenz}));
        QCOMPARE(next.places[window::Dov].frame, QRect(10, 20, 100, 50));
        // The nearest place on the screen left, whole.
        QCOMPARE(next.places[window::Quenz].frame, QRect(0, 750, 100, 50));
        QCOMPARE(next.places[window::Quenz].onTop, false);
        QVERIFY(next.platform.warnings.isEmpty());

        // A clock the user closes is gone from the record; turned off, there is no record.
        next.keeper.setKeeping(true);
        next.registry.unload(window::Dov);
        next.settle();
        QCOMPARE(next.written(), openwindows::format({{window::Quenz, {0, 750}, false}}));
        next.keeper.setKeeping(false);
        QVERIFY(!QFile::exists(next.record));
    }

    // The Exec key's quoting and escapes: what the desktop's launcher unquotes is the path.
    void autostartEntryStartsThisProgram()
    {
        const std::pair<QString, QString> rows[] = {
            // the program, its Exec key
            {"/opt/vrimclocks/vrimclocks", "/opt/vrimclocks/vrimclocks"},
            {"/home/a b/vrimclocks", "\"/home/a b/vrimclocks\""},
            {"/x/\"$\\%/v", "\"/x/\\\\\"\\\\$\\\\\\\\%%/v\""}}; // quote, dollar, backslash, per cent
        for (const auto &[program, exec] : rows) {
            const auto entry = SessionOptions::autostartEntry(program);
            QVERIFY2(entry && entry->contains(QByteArray("\nExec=" + exec.toUtf8() + "\n")),
                     entry ? entry->constData() : "none");
        }
        QVERIFY(!SessionOptions::autostartEntry(QStringLiteral("/a\nb")));
    }

    // A choice or a record that cannot be saved says why, once, and leaves things as they were.
    void whatCannotBeSavedSaysWhy()
    {
        TempProgramFolder folder;
        const SessionFiles files = SessionFiles::under(folder.path());
        QVERIFY(QDir().mkpath(files.options)); // a folder where the options file should be
        // A file where the autostart folder should be.
        TempProgramFolder::write(QFileInfo(files.autostart).path(), "not a folder");
        SessionOptions options(files, QStringLiteral("/opt/v/vrimclocks"));
        const auto reopen = options.setReopens(true);
        QVERIFY(reopen && reopen->contains(files.options));
        const auto autostart = options.setStartsWithDesktop(true);
        QVERIFY(autostart && autostart->contains(QFileInfo(files.autostart).path()));
        QVERIFY(!options.startsWithDesktop());
        QVERIFY(!options.reopens());

        Rig rig;
        QVERIFY(QDir().mkpath(rig.record)); // a folder where the record should be
        rig.keeper.setKeeping(true);
        rig.registry.show(window::Dov);
        rig.settle();
        QCOMPARE(rig.platform.warnings.size(), 1);
        QVERIFY2(rig.platform.warnings.front().contains(rig.record),
                 qPrintable(rig.platform.warnings.front()));
        // Tried again at each change without saying so again; saved once it can be.
        rig.registry.show(window::Quenz);
        rig.settle();
        QCOMPARE(rig.platform.warnings.size(), 1);
        QVERIFY(QDir(rig.record).removeRecursively());
        rig.registry.show(window::Stopwatch);
        rig.settle();
        QCOMPARE(rig.platform.warnings.size(), 1);
        QVERIFY2(rig.written().contains("dov ") && rig.written().contains("Quenz "), rig.written().constData());
    }

    void optionsAreOffUntilTurnedOn()
    {
        TempProgramFolder folder;
        SessionOptions options(SessionFiles::under(folder.path()), QStringLiteral("/opt/v/vrimclocks"));
        QVERIFY(!options.reopens() && !options.startsWithDesktop());
        QVERIFY(!options.setReopens(true));
        QVERIFY(!options.setStartsWithDesktop(true));
        QVERIFY(options.reopens() && options.startsWithDesktop());
        QCOMPARE(TempProgramFolder::read(options.files().options),
                 "[Session]\nautostart=true\nreopen=true\n");
        QVERIFY(!options.setStartsWithDesktop(false));
        QVERIFY(!QFile::exists(options.files().autostart) && !options.startsWithDesktop());
    }
};

QTEST_GUILESS_MAIN(TestSettingsFiles)
#include "tst_settingsfiles.moc"
