#include "clocks/Designs.h"
#include "platform/LocalFiles.h"
#include "platform/QtPlatform.h"
#include "support/FolderSnapshot.h"
#include "support/ProgramRig.h"

#include <QDirIterator>

#include <sys/stat.h>

using namespace vrim;
using namespace vrim::test;

// Whatever lies where the program expects a settings file or a picture, the user is told in
// words what is wrong with which file, the program goes on, and no settings file changes unless
// the user saved. Every way a settings file can be damaged is the reader's, tested in
// tst_settingsfiles; here only what the windows do with it.
namespace {

// Where a clock shows a picture, and what it shows there without it: the colour its message
// names, as the range of grey the pixel may take.
struct Stand {
    Design design;
    const char *picture;
    QPoint at;
    const char *colour;
    int darkest, lightest;
};
const Stand Stands[] = {
    {Design::Dov, "skin picture", {100, 120}, "black", 0, 0},
    {Design::Norvi, "skin picture", {2, 100}, "black", 0, 0},
    {Design::Norvi, "centre picture", {10, 60}, "black", 0, 0},
    {Design::Quenz, "skin picture", {20, 140}, "black", 0, 0},
    {Design::Jolvex, "skin picture", {45, 40}, "light grey", 192, 254},
    {Design::Vrimcolor, "skin picture", {3, 100}, "grey", 128, 254},
    {Design::Mip, "skin picture", {3, 100}, "grey", 128, 254},
};

} // namespace

class TestBadFiles : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void damagedSettingsFiles_data()
    {
        QTest::addColumn<Design>("design");
        for (const Design design : AllDesigns)
            if (filesOf(design) || design == Design::Lumbo)
                QTest::newRow(qPrintable(designName(design))) << design;
    }
    // The clock says what is wrong with its skin file, then with the picture it falls back to,
    // then with its sound file, once each and in words a reader can see, and runs on its
    // defaults; its Skin Manager names the skin file, then the sound file; opening and closing it
    // writes nothing. What the reader says of each kind of damage is tst_settingsfiles' to test.
    // A picture that cannot be shown is said as the window shows it, and the window shows that.
    void damagedSettingsFiles()
    {
        QFETCH(Design, design);
        ProgramRig rig("09:04:58"); // no pictures: every skin picture is missing
        const bool lumbo = !filesOf(design);
        const QString settings = rig.folder.file("Settings");
        const QString skin = lumbo ? SettingsStore::lumboFileName() : SettingsStore::skinFileName(design);
        const QString sound = lumbo ? QString() : SettingsStore::soundFileName(design);
        QByteArray program("\177ELF\2\1\1");
        for (int i = 0; i < 4096; ++i)
            program += char(i * 7);
        QVERIFY(QFile::remove(settings + u'/' + skin));
        TempProgramFolder::write(settings + u'/' + skin, program);
        if (!lumbo)
            QVERIFY(QFile::remove(settings + u'/' + sound));
        const QStringList unchanged = folderSnapshot(settings);
        // What each message is about: the skin file, a skin picture, the sound file, or else.
        const auto about = [&] {
            QStringList topics;
            for (const QString &warning : std::as_const(rig.platform.warnings)) {
                // Short, and no byte of the file shown as a box or a blank.
                const bool readable =
                    warning.size() < 600 && std::all_of(warning.begin(), warning.end(), [](QChar c) {
                        return (c.isPrint() || c == u'\n') && c != QChar::ReplacementCharacter;
                    });
                topics.append(!readable                           ? QStringLiteral("unreadable: ") + warning
                              : warning.contains(skin)            ? QStringLiteral("skin file")
                              : warning.contains(" picture \"")   ? QStringLiteral("picture")
                              : !lumbo && warning.contains(sound) ? QStringLiteral("sound file")
                                                                  : QString());
            }
            topics.removeAll(QString());
            return topics;
        };

        ClockWindow *clock = rig.openClock(design);
        QVERIFY(clock);
        rig.passAt("09:04:59");
        rig.passAt("09:05:00"); // a chime is due
        // Its bytes spelt out, those that are no text as well.
        QVERIFY2(!rig.platform.warnings.filter("(it reads \"\\x7fELF\\x02\\x01\\x01\\x00\\x07").isEmpty(),
                 qPrintable(rig.platform.warnings.join(u'\n')));
        QStringList said = about();
        if (said.count("picture") == 2) // Norvi's two pictures; any other fault is said once
            said.removeOne("picture");
        QCOMPARE(said,
                 (lumbo ? QStringList{"skin file"} : QStringList{"skin file", "picture", "sound file"}));
        const QImage shown = clock->grab().toImage();
        for (const Stand &stand : Stands) {
            if (stand.design != design)
                continue;
            const QStringList says =
                rig.platform.warnings.filter(QStringLiteral("cannot show its ") + stand.picture);
            QCOMPARE(says.size(), 1);
            QVERIFY2(says.front().contains(QStringLiteral(" %1 ").arg(stand.colour)),
                     qPrintable(says.front()));
            const QColor at = shown.pixelColor(stand.at);
            QVERIFY2(at.red() == at.green() && at.green() == at.blue() && at.red() >= stand.darkest &&
                         at.red() <= stand.lightest,
                     qPrintable(at.name()));
        }
        rig.platform.warnings.clear();

        const QString dialog = cardOf(design).frame.skinManager; // Lumbo's own dialog for Lumbo
        rig.program.registry().show(dialog);
        QVERIFY(rig.program.registry().isLoaded(dialog));
        // Lumbo's dialog keeps quiet: its open clock has said it already.
        QCOMPARE(about(), (lumbo ? QStringList{} : QStringList{"skin file", "sound file"}));
        rig.program.registry().unload(dialog);
        ProgramRig::settle();
        rig.passAt("09:05:02"); // the reload after the dialog
        QVERIFY(clock->isVisible());
        rig.program.registry().unload(windowOf(design));
        ProgramRig::settle();
        QCOMPARE(folderSnapshot(settings), unchanged);
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
        QTest::newRow("missing") << "missing" << "No such file";
        QTest::newRow("a text file named .jpg") << "text" << "not a picture";
        QTest::newRow("70 MB") << "huge" << "larger than 64 MB";
        QTest::newRow("a pipe named .jpg") << "pipe" << "not a regular file";
        // clang-format on
    }
    // The loader says why it cannot show a picture, in words the clocks and the Skin Managers'
    // previews pass on, without decoding a picture too large or waiting on a pipe.
    void badPicture()
    {
        QFETCH(QString, kind);
        QFETCH(QString, says);
        TempProgramFolder folder;
        const QString path = folder.file("bad.jpg");
        if (kind.startsWith("Skins/")) {
            const QByteArray whole = TempProgramFolder::read(QStringLiteral(SHIPPED_DATA "/") + kind);
            QVERIFY(!whole.isEmpty());
            TempProgramFolder::write(path, whole.left(whole.size() / 2));
        } else if (kind == "zero") {
            TempProgramFolder::write(path, {});
        } else if (kind == "text") {
            TempProgramFolder::write(path, "These are words, not a picture.\n");
        } else if (kind == "huge") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(70 * 1024 * 1024));
        } else if (kind == "pipe") {
            QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        }
        QString problem;
        QVERIFY(loadPicture(path, &problem).isNull());
        QVERIFY2(problem.contains(says), qPrintable(problem));
        QCOMPARE(QtPictures().problemShowing(path), problem);
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
};

QTEST_MAIN(TestBadFiles)
#include "tst_badfiles.moc"
