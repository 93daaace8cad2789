#include "base/RefreshSignal.h"
#include "settings/SkinManagerModel.h"
#include "support/FileSizeLimit.h"
#include "support/FolderSnapshot.h"
#include "support/ProgramRig.h"

#include <QAbstractButton>
#include <QtTest>

using namespace vrim;
using namespace vrim::test;

namespace {

// The clock a Skin Manager dresses, as far as the dialog can see it: its refresh signal.
class ClockDouble final : public ManagedWindow {
public:
    explicit ClockDouble(int &raises)
    {
        QObject::connect(&m_signal, &RefreshSignal::raised, &m_signal, [&raises] { ++raises; });
    }
    void present() override {}
    RefreshSignal *refreshSignal() override { return &m_signal; }

private:
    RefreshSignal m_signal;
};

} // namespace

class TestSkinManager : public QObject {
    Q_OBJECT

    struct Fixture {
        TempProgramFolder folder;
        SettingsStore store{DataFolders(folder.path())};
        FakePlatform platform;
        RecordingPlayer player;
        WindowLog dialogs; // a stand-in for the dialog's window; outlives the registry
        WindowRegistry registry;
        int raises = 0;
        const SkinManagerDesign &design;
        std::unique_ptr<SkinManagerModel> model;

        explicit Fixture(const QString &dialog = QStringLiteral("dovprefs"))
            : design(*skinmanager::find(dialog))
        {
            QVERIFY(store.writeDefaults().ok());
            registry.define(windowOf(design.design),
                            [this] { return std::make_unique<ClockDouble>(raises); });
            dialogs.define(registry, design.window);
            registry.show(windowOf(design.design));
            registry.show(design.window);
            model = std::make_unique<SkinManagerModel>(design, DataFolders(folder.path()), registry, platform,
                                                       player, QStringLiteral("https://home.test/"));
        }
        QByteArray skinFile() { return TempProgramFolder::read(skinPath()); }
        QByteArray soundFile() { return TempProgramFolder::read(soundPath()); }
        QString skinPath() { return store.filePath(SettingsStore::skinFileName(design.design)); }
        QString soundPath() { return store.filePath(SettingsStore::soundFileName(design.design)); }
    };

private Q_SLOTS:
    void initTestCase() { runAsNobodyIfRoot(); }

    // Each file is written whole and as it was, and the clock is asked to reload; also where the
    // stored interval matches no button.
    void okAtOnceRewritesTheSameValues()
    {
        QList<std::pair<QString, QString>> rows = {{"dovprefs", "5 Min"}}; // the dialog, an interval stored
        for (const SkinManagerDesign &design : skinmanager::all())
            rows.append({design.window, ""}); // as the first start wrote it
        for (const auto &[dialog, interval] : rows) {
            Fixture f(dialog);
            if (!interval.isEmpty())
                QVERIFY(f.store.writeSound(f.design.design, {QStringLiteral("/s.wav"), interval}).ok());
            const QByteArray skin = f.skinFile(), sound = f.soundFile();
            f.model->open();
            QCOMPARE(f.player.log,
                     (QStringList{"prepare " + f.store.readSound(f.design.design).value.sound, "Open"}));
            QCOMPARE(f.model->selectedInterval(), interval.isEmpty() ? std::optional<int>(0) : std::nullopt);
            QVERIFY2(f.model->ok(), qPrintable(dialog));
            f.model->closing(); // as the registry runs the dialog's closing steps
            QCOMPARE(f.skinFile(), skin);
            QCOMPARE(f.soundFile(), sound);
            QVERIFY(f.raises >= 2); // on Ok and again as the window closes; the clock reloads once
            QVERIFY(!f.registry.isLoaded(f.design.window));
        }
    }

    // Cancel writes nothing but still asks for a reload; the link opens the home page.
    void cancelWritesNothingButStillAsksForAReload()
    {
        Fixture f;
        f.model->open();
        f.platform.chooserAnswers = {f.folder.file("Skins/other.jpg")};
        f.model->view();
        f.model->selectInterval(4);
        const QByteArray skin = f.skinFile(), sound = f.soundFile();
        f.model->cancel();
        QCOMPARE(f.skinFile(), skin);
        QCOMPARE(f.soundFile(), sound);
        QVERIFY(f.raises >= 1);
        QCOMPARE(f.player.log.last(), QStringLiteral("Close"));
        f.model->openHomePage();
        QCOMPARE(f.platform.openedPages, QStringList{"https://home.test/"});
    }

    void testPlaysTheStoredThenTheChosenSound()
    {
        Fixture f;
        f.model->open();
        f.player.log.clear();
        f.model->test();
        QCOMPARE(f.player.log,
                 (QStringList{"close", "prepare " + f.folder.file("Sounds/bzz.wav"), "Open", "Play"}));
        f.platform.chooserAnswers = {QStringLiteral("/chimes/new, one.wav")};
        f.model->change();
        f.player.log.clear();
        f.model->test();
        QCOMPARE(f.player.log.at(1), QStringLiteral("prepare /chimes/new, one.wav"));
        f.model->selectInterval(2);
        QVERIFY(f.model->ok());
        QCOMPARE(f.soundFile(), QByteArray("/chimes/new, one.wav\r\n15 min\r\n"));
        f.player.log.clear();
        f.model->playerCompleted();
        QCOMPARE(f.player.log, QStringList{"Prev"});
    }

    void viewKeepsTheLastPictureThatShowed()
    {
        Fixture f;
        f.model->open();
        const QString stored = f.folder.file("Skins/Vrim/blui-3d.jpg");
        QCOMPARE(f.model->preview(SkinManagerModel::Frame).path, stored);

        // Cancelled before anything was chosen: the preview goes blank, Ok keeps the stored one.
        const QByteArray skin = f.skinFile();
        f.platform.chooserAnswers = {QString()};
        f.model->view();
        QCOMPARE(f.model->preview(SkinManagerModel::Frame).path, QString());
        QVERIFY(f.model->ok());
        QCOMPARE(f.skinFile(), skin);

        // A picture that shows, then one that cannot: the preview says why, Ok stores the first.
        const QString good = QStringLiteral("/pics/ä good.jpg");
        f.platform.chooserAnswers = {good, QStringLiteral("/pics/broken.jpg")};
        f.model->view();
        f.model->view();
        QCOMPARE(f.model->preview(SkinManagerModel::Frame).problem, QStringLiteral("not a picture"));
        QVERIFY(f.platform.chooserCalls.last().endsWith(QStringLiteral("from '") + good + u'\''));
        QVERIFY(f.model->ok());
        QCOMPARE(f.skinFile(), (good + QStringLiteral("\r\n")).toUtf8());
    }

    void norviPresetsFiveMinutesAndKeepsTwoPictures()
    {
        Fixture f(QStringLiteral("norviprefs"));
        QVERIFY(
            f.store.writeSound(Design::Norvi, {QStringLiteral("/s.wav"), QStringLiteral("No chime")}).ok());
        f.model->open();
        QCOMPARE(f.model->selectedInterval(), std::optional<int>(0));
        QCOMPARE(f.model->pictureTarget(), SkinManagerModel::Centre);
        QVERIFY(f.platform.chooserCalls.isEmpty());

        // Only a centre picture chosen: the stored frame stays on line 1.
        f.platform.chooserAnswers = {QStringLiteral("/c/centre.bmp"), QStringLiteral("/f/frame.jpg")};
        f.model->view();
        QVERIFY(f.platform.chooserCalls.last().contains(QStringLiteral("bitmap Files (*.bmp)|*.bmp")));
        QVERIFY(f.model->ok());
        QCOMPARE(f.skinFile(),
                 (f.folder.file("Skins/norvi/butnrock-3d.jpg") + "\r\n/c/centre.bmp\r\n").toUtf8());
        QCOMPARE(f.soundFile(), QByteArray("/s.wav\r\n5 min\r\n"));

        // Then the frame as well.
        f.model->selectPicture(SkinManagerModel::Frame);
        f.model->view();
        QCOMPARE(f.model->preview(SkinManagerModel::Frame).path, QStringLiteral("/f/frame.jpg"));
        QVERIFY(f.model->ok());
        QCOMPARE(f.skinFile(), QByteArray("/f/frame.jpg\r\n/c/centre.bmp\r\n"));
    }

    // A failed Ok says why and which files, leaves every settings file as it was (the skin file
    // is not rewritten when the sound file then fails, as when the first fails), and the dialog
    // stays open with its values, which a later Ok saves. Why a file cannot be written is the
    // writer's, in tst_settingsfiles.
    void okSavesBothFilesOrNeither()
    {
        for (const QString obstacle : {"room for the skin file only", "read-only"}) {
            Fixture f;
            f.model->open();
            f.platform.chooserAnswers = {QStringLiteral("/pics/new.jpg")};
            f.model->view();
            f.model->selectInterval(3);
            const QString settings = f.folder.file("Settings");
            const QStringList before = folderSnapshot(settings);
            {
                if (obstacle == "read-only")
                    QVERIFY(QFile::setPermissions(settings, QFile::ReadOwner | QFile::ExeOwner));
                std::optional<FileSizeLimit> room;
                if (obstacle != "read-only")
                    room.emplace(qstrlen("/pics/new.jpg\r\n"));
                QVERIFY(!f.model->ok());
            }
            QFile::setPermissions(settings, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QCOMPARE(folderSnapshot(settings), before);
            QCOMPARE(f.platform.shownMessages.size(), 1);
            const QString said = f.platform.shownMessages.front();
            QVERIFY2(said.contains(f.skinPath()) && said.contains("could not be saved"),
                     qPrintable(obstacle + ": " + said));
            if (obstacle != "read-only")
                QVERIFY2(said.contains(f.soundPath()), qPrintable(said));
            QVERIFY(f.registry.isLoaded(f.design.window));
            QVERIFY(f.model->ok());
            QCOMPARE(f.skinFile(), QByteArray("/pics/new.jpg\r\n"));
            QVERIFY2(f.soundFile().endsWith("\r\n30 min\r\n"), f.soundFile().constData());
        }
    }

    // Enter presses the focused push button, or the dialog's Ok when the focus is on no push
    // button: the dialog closes, having saved or not. Each dialog as it opens (the first button of
    // the tab order once took the focus); the family shares one window, so the other places of
    // the focus once.
    void enterPressesTheFocusedButtonOrOk()
    {
        // The dialog, the caption of the control given the focus (none: as opened), whether it saves.
        QList<std::tuple<QString, QString, bool>> rows = {
            {"dovprefs", "10 min", true},
            {"dovprefs", "Cancel", false},
            {window::LumboPrefs, "", true},
            {window::LumboPrefs, "Sound", true},
            {window::LumboPrefs, "Candziel", false},
        };
        for (const SkinManagerDesign &design : skinmanager::all())
            rows.append({design.window, "", true});
        for (const auto &[dialog, focus, saves] : rows) {
            ProgramRig rig("09:04:58");
            QWidget *shown = rig.show(dialog);
            QVERIFY(shown);
            shown->activateWindow();
            QTRY_VERIFY(shown->isActiveWindow());
            QWidget *focused = shown->focusWidget();
            for (QAbstractButton *button : shown->findChildren<QAbstractButton *>())
                if (button->text() == focus)
                    focused = button;
            QVERIFY(focused);
            focused->setFocus();
            const QStringList before = folderSnapshot(rig.folder.file("Settings"));
            QTest::keyClick(focused, Qt::Key_Return);
            ProgramRig::settle();
            const QString row = dialog + ", focus on '" + focus + "'";
            QVERIFY2(!rig.program.registry().isLoaded(dialog),
                     qPrintable(row + ": Enter left the dialog open"));
            QVERIFY2((folderSnapshot(rig.folder.file("Settings")) != before) == saves, qPrintable(row));
            QVERIFY(rig.platform.shownMessages.isEmpty());
        }
    }
};

QTEST_MAIN(TestSkinManager)
#include "tst_skinmanager.moc"
