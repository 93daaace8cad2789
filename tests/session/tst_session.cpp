#include "base/WindowNames.h"
#include "base/WindowRegistry.h"
#include "session/OpenWindows.h"
#include "session/SessionOptions.h"
#include "session/WindowKeeper.h"
#include "support/FakePlatform.h"
#include "support/TempProgramFolder.h"

#include <QtTest>

using namespace vrim;
using vrim::test::FakePlatform;
using vrim::test::TempProgramFolder;
using Kept = openwindows::Kept;

// The record of the windows left open, the keeper that writes it and reopens them, and the
// options and autostart entry of the program's menu.
class TestSession : public QObject {
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
        QDir().mkpath(QFileInfo(next.record).path());
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

    void aDamagedRecordIsSaidOnceAndReopensNothing()
    {
        Rig rig;
        QDir().mkpath(QFileInfo(rig.record).path());
        TempProgramFolder::write(rig.record, "dov 1 2\nnot ours\n");
        rig.keeper.reopen();
        QVERIFY(rig.registry.loaded().isEmpty());
        QCOMPARE(rig.platform.warnings.size(), 1);
        QVERIFY2(rig.platform.warnings.front().contains(rig.record),
                 qPrintable(rig.platform.warnings.front()));
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
        QVERIFY(QDir().mkpath(QFileInfo(QFileInfo(files.autostart).path()).path()));
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
        QVERIFY(!rig.keeper.isKeeping());
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

QTEST_GUILESS_MAIN(TestSession)
#include "tst_session.moc"
