#include "platform/LocalFiles.h"
#include "platform/QtPlatform.h"
#include "settings/SkinManagerModel.h"
#include "shell/Startup.h"
#include "support/FileSizeLimit.h"
#include "support/ProgramRig.h"
#include "ui/WidgetWindow.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QPushButton>
#include <QtEndian>

#include <sys/stat.h>
#include <unistd.h>

using namespace vrim;
using namespace vrim::test;

// Whatever lies where the program expects a settings file or a picture, the user is told in
// words what is wrong with which file, the program goes on, and no settings file changes unless
// the user saved.
namespace {

enum class Damage { Missing, Empty, Short, Binary, Huge, Unreadable, Folder, LinkToZero };

struct Owner {
    const char *file;
    Design design;
};

const Owner Owners[] = {
    {"Dovpref.prf", Design::Dov},         {"Dovspref.prf", Design::Dov},
    {"norvipref.prf", Design::Norvi},     {"norvispref.prf", Design::Norvi},
    {"Quenzpref.prf", Design::Quenz},     {"Quenzspref.prf", Design::Quenz},
    {"Jolvexprefs.prf", Design::Jolvex},  {"Jolvexsprefs.prf", Design::Jolvex},
    {"vrimcpref.prf", Design::Vrimcolor}, {"vrimcspref.prf", Design::Vrimcolor},
    {"Mipcprefs.prf", Design::Mip},       {"Mipcsprefs.prf", Design::Mip},
    {"lumbi.prf", Design::Lumbo},
};

QString skinManagerOf(Design design)
{
    if (design == Design::Lumbo)
        return window::LumboPrefs;
    for (const SkinManagerDesign &dialog : skinmanager::all())
        if (dialog.design == design)
            return dialog.window;
    return {};
}

// Every entry of the settings folder as it stands on disk: kind, inode, time and bytes, so that a
// file written again with the same bytes counts as changed too.
QStringList snapshot(const QString &folder)
{
    QStringList entries;
    for (const QString &name :
         QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        const QString path = folder + u'/' + name;
        struct stat info {};
        ::lstat(QFile::encodeName(path).constData(), &info);
        // Bytes beyond the first megabyte cannot change without changing the time.
        const files::Contents contents = files::readRegularFile(path, 1024 * 1024);
        entries.append(QStringLiteral("%1 %2 %3 %4.%5 %6")
                           .arg(name)
                           .arg(info.st_mode)
                           .arg(info.st_ino)
                           .arg(info.st_mtim.tv_sec)
                           .arg(info.st_mtim.tv_nsec)
                           .arg(QString::fromLatin1(
                               QCryptographicHash::hash(contents.bytes, QCryptographicHash::Sha1).toHex())));
    }
    return entries;
}

QWidget *widgetOf(WindowRegistry &registry, const QString &name)
{
    auto *handle = dynamic_cast<WidgetWindow *>(registry.window(name));
    return handle ? handle->widget() : nullptr;
}

QPushButton *buttonOf(QWidget *window, const QString &caption)
{
    for (QPushButton *button : window->findChildren<QPushButton *>())
        if (button->text() == caption)
            return button;
    return nullptr;
}

quint32 crc32(const QByteArray &bytes)
{
    quint32 crc = 0xFFFFFFFF;
    for (const char byte : bytes) {
        crc ^= static_cast<unsigned char>(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

QByteArray bigEndian(quint32 value)
{
    QByteArray out(4, '\0');
    qToBigEndian(value, out.data());
    return out;
}

QByteArray pngChunk(const char *type, const QByteArray &data)
{
    const QByteArray typed = type + data;
    return bigEndian(quint32(data.size())) + typed + bigEndian(crc32(typed));
}

// A picture of 30000 × 30000 black and white pixels in 110 KB: decoded, gigabytes.
QByteArray pictureBomb()
{
    constexpr int Side = 30000;
    const QByteArray header = bigEndian(Side) + bigEndian(Side) + QByteArray("\x01\x00\x00\x00\x00", 5);
    const QByteArray rows(qsizetype(Side) * (1 + (Side + 7) / 8), '\0');
    const QByteArray packed = qCompress(rows, 9).mid(4); // a zlib stream, without Qt's size prefix
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", header) + pngChunk("IDAT", packed) +
           pngChunk("IEND", {});
}

} // namespace

Q_DECLARE_METATYPE(Damage)

class TestBadFiles : public QObject {
    Q_OBJECT

    // Damages one settings file of a rig's folder; answers the text the user's message must
    // name (the file, or what was read from it) and what it must say.
    static std::pair<QString, QString> spoil(ProgramRig &rig, const Owner &owner, Damage damage)
    {
        const QString path = rig.folder.file(QStringLiteral("Settings/") + QLatin1String(owner.file));
        const QByteArray before = TempProgramFolder::read(path);
        const auto rewrite = [&](const QByteArray &bytes) {
            QFile::remove(path);
            TempProgramFolder::write(path, bytes);
        };
        const QString named = QDir::toNativeSeparators(path);
        switch (damage) {
        case Damage::Missing:
            QFile::remove(path);
            return {named, "is missing"};
        case Damage::Empty:
            rewrite({});
            return {named, "0 of its"};
        case Damage::Short:
            if (before.count('\n') > 1) {
                rewrite(before.left(before.indexOf('\n') + 1));
                return {named, "holds 1 of its"};
            }
            // A file of one line cut short (here before the name's extension) still names a
            // file: the one that cannot be found.
            rewrite(before.chopped(6));
            return {QString::fromUtf8(before.chopped(6)), "No such file"};
        case Damage::Binary: {
            QByteArray program("\177ELF\2\1\1");
            for (int i = 0; i < 4096; ++i)
                program += char(i * 7);
            rewrite(program);
            // Its bytes spelt out, those that are no text as well.
            return {named, QStringLiteral("(it reads \"\\x7fELF\\x02\\x01\\x01\\x00\\x07")};
        }
        case Damage::Huge: {
            QFile file(path);
            if (!file.resize(50 * 1024 * 1024)) // the settings, then 50 MB of zero bytes
                qFatal("cannot make a file of 50 MB");
            return {named, "larger than 64 KB"};
        }
        case Damage::Unreadable:
            QFile::setPermissions(path, {});
            return {named, "Permission denied"};
        case Damage::Folder:
            QFile::remove(path);
            QDir().mkdir(path);
            return {named, "not a regular file"};
        case Damage::LinkToZero:
            QFile::remove(path);
            QFile::link(QStringLiteral("/dev/zero"), path);
            return {named, "not a regular file"};
        }
        return {};
    }

    static bool warned(const ProgramRig &rig, const QString &named, const QString &says)
    {
        for (const QString &warning : rig.platform.warnings)
            if (warning.contains(named) && warning.contains(says))
                return true;
        return false;
    }

private Q_SLOTS:
    void initTestCase()
    {
        // A file without read permission means nothing to root; run as nobody so that it does.
        if (::geteuid() == 0) {
            QVERIFY(::setgid(65534) == 0);
            QVERIFY(::setuid(65534) == 0);
        }
    }

    void damagedSettingsFile_data()
    {
        QTest::addColumn<int>("owner");
        QTest::addColumn<Damage>("damage");
        // clang-format off
        const std::pair<Damage, const char *> damages[] = {
            {Damage::Missing, "missing"},
            {Damage::Empty, "empty"},
            {Damage::Short, "short"},
            {Damage::Binary, "a program's bytes"},
            {Damage::Huge, "50 MB"},
            {Damage::Unreadable, "unreadable"},
            {Damage::Folder, "a folder"},
            {Damage::LinkToZero, "a link to /dev/zero"},
        };
        // clang-format on
        for (int owner = 0; owner < int(std::size(Owners)); ++owner)
            for (const auto &[damage, name] : damages)
                QTest::addRow("%s %s", Owners[owner].file, name) << owner << damage;
    }
    // The clock opens, says what is wrong, and runs on its defaults; opening and closing its
    // Skin Manager without saving writes nothing.
    void damagedSettingsFile()
    {
        QFETCH(int, owner);
        QFETCH(Damage, damage);
        const Owner &own = Owners[owner];
        ProgramRig rig("09:04:58");
        const auto [named, says] = spoil(rig, own, damage);
        const QString settings = rig.folder.file("Settings");
        const QStringList before = snapshot(settings);

        ClockWindow *clock = rig.openClock(own.design);
        QVERIFY(clock);
        rig.passAt("09:05:00"); // a chime is due
        rig.passAt("09:05:01");
        QVERIFY2(warned(rig, named, says),
                 qPrintable(QStringLiteral("no message names %1 and says \"%2\"; the messages:\n%3")
                                .arg(named, says, rig.platform.warnings.join(u'\n'))));
        for (const QString &warning : std::as_const(rig.platform.warnings)) {
            QVERIFY2(warning.size() < 600, qPrintable(warning));
            // Words a reader can see: no byte of the file shown as a box or a blank.
            for (const QChar c : warning)
                QVERIFY2((c.isPrint() || c == u'\n') && c != QChar::ReplacementCharacter,
                         qPrintable(QStringLiteral("U+%1 in: %2")
                                        .arg(c.unicode(), 4, 16, QLatin1Char('0'))
                                        .arg(warning)));
        }

        const QString dialog = skinManagerOf(own.design);
        rig.program.registry().show(dialog);
        QVERIFY(widgetOf(rig.program.registry(), dialog));
        rig.program.registry().unload(dialog);
        ProgramRig::settle();
        rig.passAt("09:05:02"); // the reload after the dialog
        QVERIFY(clock->isVisible());
        rig.program.registry().unload(windowOf(own.design));
        ProgramRig::settle();

        QCOMPARE(snapshot(settings), before);
    }

    void twoBadFilesAreReportedSkinFileFirst_data()
    {
        QTest::addColumn<Design>("design");
        QTest::addColumn<bool>("skinFile"); // the skin file damaged too, or only its picture
        for (const Design design : AllDesigns) {
            if (!filesOf(design))
                continue;
            QTest::addRow("%s, skin file and sound file", qPrintable(designName(design))) << design << true;
            QTest::addRow("%s, skin picture and sound file", qPrintable(designName(design)))
                << design << false;
        }
    }
    // The clock says what is wrong with its skin (the file, then the picture it names), then
    // with its sound file, once each; its Skin Manager names the skin file, then the sound file.
    void twoBadFilesAreReportedSkinFileFirst()
    {
        QFETCH(Design, design);
        QFETCH(bool, skinFile);
        ProgramRig rig("09:04:58"); // no pictures: every skin picture is missing
        const QString skin = SettingsStore::skinFileName(design);
        const QString sound = SettingsStore::soundFileName(design);
        if (skinFile)
            TempProgramFolder::write(rig.folder.file("Settings/" + skin), {});
        QVERIFY(QFile::remove(rig.folder.file("Settings/" + sound)));
        // What each message is about: the skin file, a skin picture, the sound file, or else.
        const auto about = [&] {
            QStringList topics;
            for (const QString &warning : std::as_const(rig.platform.warnings))
                topics.append(warning.contains(skin)            ? QStringLiteral("skin file")
                              : warning.contains(" picture \"") ? QStringLiteral("picture")
                              : warning.contains(sound)         ? QStringLiteral("sound file")
                                                                : QString());
            rig.platform.warnings.clear();
            topics.removeAll(QString());
            return topics;
        };

        QVERIFY(rig.openClock(design));
        rig.passAt("09:04:59");
        rig.passAt("09:05:00");
        QStringList said = about();
        said.removeDuplicates(); // Norvi's two pictures
        const QStringList clockSays = skinFile ? QStringList{"skin file", "picture", "sound file"}
                                               : QStringList{"picture", "sound file"};
        QCOMPARE(said, clockSays);
        rig.program.registry().show(skinManagerOf(design));
        const QStringList dialogSays =
            skinFile ? QStringList{"skin file", "sound file"} : QStringList{"sound file"};
        QCOMPARE(about(), dialogSays);
    }

    void aPictureThatCannotBeShownIsSaidAsTheWindowShowsIt_data()
    {
        QTest::addColumn<Design>("design");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("says");
        QTest::addColumn<QPoint>("at"); // where the picture would show, and now the colour said
        QTest::addColumn<QString>("colour");
        // clang-format off
        QTest::newRow("Dov") << Design::Dov << "skin picture" << "It shows a black face" << QPoint(100, 120) << "black";
        QTest::newRow("Norvi's frame") << Design::Norvi << "skin picture" << "It shows black around its panel" << QPoint(2, 100) << "black";
        QTest::newRow("Norvi's centre") << Design::Norvi << "centre picture" << "Its panel shows black behind the lamps" << QPoint(10, 60) << "black";
        QTest::newRow("Quenz") << Design::Quenz << "skin picture" << "It shows a black face" << QPoint(20, 140) << "black";
        QTest::newRow("Jolvex") << Design::Jolvex << "skin picture" << "It shows its plain light grey face" << QPoint(45, 40) << "light grey";
        QTest::newRow("Vrimcolor") << Design::Vrimcolor << "skin picture" << "It shows its plain grey face" << QPoint(3, 100) << "grey";
        QTest::newRow("Mip") << Design::Mip << "skin picture" << "It shows its buttons on a plain grey face" << QPoint(3, 100) << "grey";
        // clang-format on
    }
    // The message says what the window shows instead of the picture, and the window shows it.
    void aPictureThatCannotBeShownIsSaidAsTheWindowShowsIt()
    {
        QFETCH(Design, design);
        QFETCH(QString, picture);
        QFETCH(QString, says);
        QFETCH(QPoint, at);
        QFETCH(QString, colour);
        ProgramRig rig("09:04:58"); // its program folder holds no pictures at all
        ClockWindow *clock = rig.openClock(design);
        QVERIFY(clock);
        rig.passAt("09:04:59");
        const QStringList said = rig.platform.warnings.filter("cannot show its " + picture);
        QCOMPARE(said.size(), 1);
        QVERIFY2(said.front().contains(says + " until another"), qPrintable(said.front()));
        const QColor shown = clock->grab().toImage().pixelColor(at);
        const bool grey = shown.red() == shown.green() && shown.green() == shown.blue();
        if (colour == "black")
            QCOMPARE(shown, QColor(Qt::black));
        else if (colour == "light grey")
            QVERIFY2(grey && shown.red() >= 192 && shown.red() < 255, qPrintable(shown.name()));
        else
            QVERIFY2(grey && shown.red() >= 128 && shown.red() < 255, qPrintable(shown.name()));
    }

    void badPicture_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("says");
        // clang-format off
        QTest::newRow("a JPEG cut in half") << "Skins/Vrim/blui-3d.jpg" << "cut short";
        QTest::newRow("a GIF cut in half") << "Skins/jolvex/mozzik.gif" << "cut short";
        QTest::newRow("a BMP cut in half") << "Skins/Vrim/sunfel.bmp" << "cut short";
        QTest::newRow("zero bytes") << "zero" << "the file is empty";
        QTest::newRow("30000 x 30000 pixels in 110 KB") << "bomb" << "30000 × 30000 pixels";
        QTest::newRow("a text file named .jpg") << "text" << "not a picture";
        QTest::newRow("70 MB") << "huge" << "larger than 64 MB";
        QTest::newRow("a pipe named .jpg") << "pipe" << "not a regular file";
        QTest::newRow("a link to /dev/zero named .jpg") << "zero link" << "not a regular file";
        // clang-format on
    }
    // The clock says which picture it cannot show and why, and shows a black face; the Skin
    // Manager's preview says the same.
    void badPicture()
    {
        QFETCH(QString, kind);
        QFETCH(QString, says);
        ProgramRig rig("09:04:58");
        const QString path = rig.folder.file("Skins/bad.jpg");
        if (kind.startsWith("Skins/")) {
            const QByteArray whole = TempProgramFolder::read(QStringLiteral(SHIPPED_DATA "/") + kind);
            QVERIFY(!whole.isEmpty());
            TempProgramFolder::write(path, whole.left(whole.size() / 2));
        } else if (kind == "zero") {
            TempProgramFolder::write(path, {});
        } else if (kind == "bomb") {
            TempProgramFolder::write(path, pictureBomb());
        } else if (kind == "text") {
            TempProgramFolder::write(path, "These are words, not a picture.\n");
        } else if (kind == "huge") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(70 * 1024 * 1024));
        } else if (kind == "pipe") {
            QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        } else {
            QVERIFY(QFile::link("/dev/zero", path));
        }
        const SettingsStore store{DataFolders(rig.folder.path())};
        QVERIFY(store.writeSkin(Design::Dov, {path, {}}).ok());
        const QStringList before = snapshot(rig.folder.file("Settings"));

        QVERIFY(rig.openClock(Design::Dov));
        rig.passAt("09:05:00");
        QVERIFY2(warned(rig, path, "cannot show its skin picture") && warned(rig, path, says),
                 qPrintable(rig.platform.warnings.join(u'\n')));
        QtPictures pictures;
        QVERIFY2(pictures.problemShowing(path).contains(says), qPrintable(pictures.problemShowing(path)));
        QCOMPARE(snapshot(rig.folder.file("Settings")), before);
    }

    void everyPictureWeShipLoads()
    {
        // The check for a file cut short must not refuse a whole one.
        int pictures = 0;
        QDirIterator it(QStringLiteral(SHIPPED_DATA), {"*.jpg", "*.gif", "*.bmp"}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QString problem;
            QVERIFY2(!loadPicture(path, &problem).isNull(), qPrintable(QString(path + ": " + problem)));
            ++pictures;
        }
        QVERIFY(pictures > 20);
    }

    void savingWhereNothingCanBeWritten_data()
    {
        QTest::addColumn<bool>("full");
        QTest::newRow("a read-only settings folder") << false;
        QTest::newRow("a full disk") << true;
    }
    // Ok in the Skin Manager says the file could not be saved and leaves every file as it was;
    // the dialog stays open and the clock runs on.
    void savingWhereNothingCanBeWritten()
    {
        QFETCH(bool, full);
        ProgramRig rig("09:04:58");
        const QString settings = rig.folder.file("Settings");
        ClockWindow *clock = rig.openClock(Design::Dov);
        QVERIFY(clock);
        rig.program.registry().show(QStringLiteral("dovprefs"));
        QWidget *dialog = widgetOf(rig.program.registry(), QStringLiteral("dovprefs"));
        QVERIFY(dialog);
        const QStringList before = snapshot(settings);
        if (!full)
            QVERIFY(QFile::setPermissions(settings, QFile::ReadOwner | QFile::ExeOwner));
        std::optional<FileSizeLimit> limit;
        if (full)
            limit.emplace(0);
        buttonOf(dialog, QStringLiteral("Ok"))->click();
        limit.reset();
        QFile::setPermissions(settings, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        ProgramRig::settle();
        QCOMPARE(rig.platform.shownMessages.size(), 1);
        QVERIFY2(rig.platform.shownMessages.front().contains(QString(settings + "/Dovpref.prf")) &&
                     rig.platform.shownMessages.front().contains("could not be saved"),
                 qPrintable(rig.platform.shownMessages.front()));
        QCOMPARE(snapshot(settings), before);
        QVERIFY(widgetOf(rig.program.registry(), QStringLiteral("dovprefs")));
        rig.passAt("09:05:00");
        QVERIFY(clock->isVisible());
    }

    void firstStartWhereNothingCanBeWritten_data()
    {
        QTest::addColumn<bool>("full");
        QTest::addColumn<QString>("why");
        QTest::newRow("a read-only program folder") << false << "Permission denied";
        QTest::newRow("a full disk") << true << "File too large";
    }
    // The start says that the settings folder could not be made, and why; no settings folder is
    // left behind.
    void firstStartWhereNothingCanBeWritten()
    {
        QFETCH(bool, full);
        QFETCH(QString, why);
        TempProgramFolder folder;
        FakePlatform platform;
        WindowRegistry registry;
        WindowLog log;
        log.define(registry, window::Splash);
        bool started = false;
        if (full) {
            const FileSizeLimit limit(0);
            started = startUp(DataFolders(folder.path()), registry, platform);
        } else {
            QVERIFY(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner));
            started = startUp(DataFolders(folder.path()), registry, platform);
            QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        QVERIFY(!started);
        QCOMPARE(platform.shownMessages.size(), 1);
        const QString said = platform.shownMessages.front();
        QVERIFY2(
            said.contains(
                QStringLiteral("The settings folder %1 could not be created").arg(folder.file("Settings"))) &&
                said.contains(why) && !said.contains("left as it was"),
            qPrintable(said));
        QVERIFY(!QFileInfo::exists(folder.file("Settings")));
    }
};

QTEST_MAIN(TestBadFiles)
#include "tst_badfiles.moc"
