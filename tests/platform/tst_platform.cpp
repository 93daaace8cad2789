// The platform layer: the second ticker, the move handles' gesture and the real sound player.
#include "platform/FreePages.h"
#include "platform/MoveGesture.h"
#include "platform/ProcessSoundEffect.h"
#include "platform/QtSoundPlayer.h"
#include "platform/SecondTicker.h"
#include "support/FakePlatform.h"
#include "support/TempProgramFolder.h"

#include <QtEndian>
#include <QtTest>

#include <signal.h>
#include <sys/stat.h>

using namespace vrim;
using vrim::test::FakeTimer;
using vrim::test::TempProgramFolder;

class TestPlatform : public QObject {
    Q_OBJECT

    struct Fixture {
        FakeTimer *timer = new FakeTimer;
        qint64 now = 1'700'000'000'250; // a quarter into a second
        SecondTicker ticker{std::unique_ptr<Timer>(timer), [this] { return now; }};
    };
    // A tenth of a second of quiet 16-bit mono PCM at 44.1 kHz: a wave file the player accepts.
    // Its header: RIFF, the length, WAVEfmt, PCM in mono, samples and bytes a second, bytes and
    // bits a sample, data and its length.
    static QByteArray wave()
    {
        return QByteArray::fromHex("52494646 98220000 57415645 666d7420 10000000 0100 0100 44ac0000 88580100 "
                                   "0200 1000 64617461 74220000") +
               QByteArray(8820, '\0');
    }
    // The desktop's player for sound files, as the program has it; without a sound server beside
    // the test it ends at once, as with a file it cannot play.
    static std::unique_ptr<SoundEffect> realSound()
    {
        auto sound = ProcessSoundEffect::desktopPlayer();
        if (!sound)
            qFatal("paplay is missing: apt-get install pulseaudio-utils");
        return sound;
    }

private Q_SLOTS:
    void wakesJustAfterEachSecond()
    {
        // On the second, just before it, before the epoch.
        for (const auto &[now, delay] : {std::pair<qint64, int>{5000, 1000}, {5999, 1}, {-250, 250}})
            QCOMPARE(SecondTicker::delayToNextSecond(now), delay + SecondTicker::Slack);
    }

    // The system's time of day in the clocks' words, made once a second and handed out again
    // within it: whichever second a reading falls in, it reads that second.
    void systemTimeTextIsTheClocksTime()
    {
        SystemTimeSource time;
        for (int reading = 0; reading < 3; ++reading) {
            const QString before = QTime::currentTime().toString(QStringLiteral("HH:mm:ss"));
            const QString text = time.timeText();
            const QString after = QTime::currentTime().toString(QStringLiteral("HH:mm:ss"));
            QVERIFY2(text == before || text == after, qPrintable(text + u' ' + before + u' ' + after));
        }
    }

    // A pass asked for runs only who asked, once however often asked; then every subscriber
    // passes each second, the next wake worked out from the time read then, so a clock set back
    // an hour never sleeps longer than a second.
    void everySubscriberPassesEachSecond()
    {
        Fixture f;
        int a = 0, b = 0;
        const int first = f.ticker.subscribe([&] { ++a; });
        f.ticker.subscribe([&] { ++b; });
        f.ticker.passSoon(first);
        f.ticker.passSoon(first);
        QCOMPARE(f.timer->interval(), 0);
        f.timer->elapse();
        QCOMPARE(std::pair(a, b), std::pair(1, 0));
        QCOMPARE(f.timer->interval(), 750 + SecondTicker::Slack);
        f.now = 1'699'996'400'990; // an hour back, just before a second
        f.timer->elapse();
        QCOMPARE(std::pair(a, b), std::pair(2, 1));
        QCOMPARE(f.timer->interval(), 10 + SecondTicker::Slack);
    }

    // The ticker sleeps with nobody to pass, also when the last one leaves during its own pass.
    void aPassMayUnsubscribeItself()
    {
        Fixture f;
        QVERIFY(!f.ticker.isRunning());
        int id = 0, passes = 0;
        id = f.ticker.subscribe([&] {
            ++passes;
            f.ticker.unsubscribe(id);
        });
        QCOMPARE(f.timer->interval(), 750 + SecondTicker::Slack);
        f.timer->elapse();
        f.timer->elapse();
        QCOMPARE(passes, 1);
        QVERIFY(!f.ticker.isRunning());
    }

    // A press on a move handle: the window's move starts only past the drag distance, a press and
    // release in place is a click, and a moved window keeps the point it was grabbed by under the
    // pointer.
    void pressMoveRelease()
    {
        // Events: "press x y" (the window's top left is at 200,150 then), "move x y" with the
        // button held, "free x y" (a move with the button up), "release". What happens: the
        // window's place when its move starts ("move to x,y"), "click", "ended".
        const std::tuple<const char *, QStringList, QStringList> rows[] = {
            // name, events, what happens
            // clang-format off
            {"press and release in place is a click", {"press 220 160", "release"}, {"click"}},
            {"a tremble within the drag distance is still a click", {"press 220 160", "move 224 163", "move 217 158", "move 226 163", "release"}, {"click"}},
            {"the drag distance starts the move, grabbed point under the pointer", {"press 220 160", "move 226 164", "move 290 200", "release"}, {"move to 206,154", "ended"}},
            {"the distance counts both ways together", {"press 220 160", "move 215 165", "release"}, {"move to 195,155", "ended"}},
            {"the move starts once", {"press 220 160", "move 240 160", "move 260 160", "move 280 160", "release"}, {"move to 220,150", "ended"}},
            {"a release that went elsewhere ends the press as a click", {"press 220 160", "free 300 300", "move 400 400", "release"}, {"click"}},
            {"a move or release without a press does nothing", {"move 300 300", "release"}, {}},
            {"a second press after a move starts afresh", {"press 220 160", "move 260 160", "release", "press 240 160", "release"}, {"move to 240,150", "ended", "click"}},
            // clang-format on
        };
        for (const auto &[name, events, happens] : rows) {
            MoveGesture gesture(10);
            QStringList seen;
            const auto note = [&](MoveGesture::Step step, QPoint pointer) {
                if (step == MoveGesture::Step::StartMove) {
                    const QPoint to = gesture.moveTo(pointer);
                    seen << QStringLiteral("move to %1,%2").arg(to.x()).arg(to.y());
                } else if (step != MoveGesture::Step::None) {
                    seen << (step == MoveGesture::Step::Click ? QStringLiteral("click")
                                                              : QStringLiteral("ended"));
                }
            };
            for (const QString &event : events) {
                const QStringList words = event.split(u' ');
                const QPoint at = words.size() == 3 ? QPoint(words[1].toInt(), words[2].toInt()) : QPoint();
                if (words[0] == u"press")
                    gesture.press(at, QPoint(200, 150));
                else if (words[0] == u"move" || words[0] == u"free")
                    note(gesture.move(at, words[0] == u"move"), at);
                else
                    note(gesture.release(), at);
            }
            QVERIFY2(seen == happens, qPrintable(name + u": "_qs + seen.join(u", ")));
            QVERIFY(!gesture.isPressed());
        }
    }

    // The real sound player: once closed it stays closed until prepared again, and whatever the
    // file, the program goes on and ends.
    void aClosedPlayerStaysClosedUntilPreparedAgain()
    {
        TempProgramFolder folder;
        const QString chime = folder.file("Sounds/chime.wav");
        TempProgramFolder::write(chime, wave());

        QtSoundPlayer player(realSound);
        player.prepare(chime);
        player.command(QStringLiteral("Open"));
        QCOMPARE(player.openFile(), chime);
        // The Skin Manager closes the clock's player; the clock's next pass still sends Open and
        // Play, which must not bring the old chime back over the dialog.
        player.command(QStringLiteral("close"));
        player.command(QStringLiteral("Open"));
        player.command(QStringLiteral("Play"));
        QCOMPARE(player.openFile(), QString());
        QVERIFY(!player.isSounding());
        // The reload after the dialog prepares it again.
        player.prepare(chime);
        player.command(QStringLiteral("Open"));
        QCOMPARE(player.openFile(), chime);
        player.command(QStringLiteral("Close"));
        QCOMPARE(player.openFile(), QString());
    }

    // Lumbo prepares its player on every pass: that names the file and nothing more, and an Open
    // of the sound already open reads nothing again. Until the first chime is due the player is
    // not even made.
    void preparingTheSameSoundEveryPassLoadsItOnce()
    {
        TempProgramFolder folder;
        const QString chime = folder.file("Sounds/bzz.wav");
        TempProgramFolder::write(chime, wave());
        QtSoundPlayer player(realSound);
        // A reload's sample, closed in the same pass, sounds nothing and starts nothing.
        player.prepare(chime);
        for (const char *word : {"Open", "Play", "Close"})
            player.command(QString::fromLatin1(word));
        QCoreApplication::processEvents();
        QVERIFY(!player.hasStartedPlayer());
        for (int pass = 0; pass < 3 * 3600; ++pass) {
            player.prepare(chime);
            if (pass % 3600 == 0) { // the hourly chime
                player.command(QStringLiteral("Open"));
                player.command(QStringLiteral("Play"));
                QCoreApplication::processEvents();
            }
        }
        QCOMPARE(player.loads(), 1);
        QCOMPARE(player.openFile(), chime);
    }

    // Without the desktop's player for sound files a chime is silent and counts as done, so the
    // clock goes on as after any chime.
    void withoutAPlayerAChimeIsSilentAndDone()
    {
        TempProgramFolder folder;
        QtSoundPlayer player([] { return std::unique_ptr<SoundEffect>(); });
        QSignalSpy done(&player, &SoundPlayer::completed);
        const QString chime = folder.file("Sounds/chime.wav");
        TempProgramFolder::write(chime, wave());
        player.prepare(chime);
        player.command(QStringLiteral("Open"));
        player.command(QStringLiteral("Play"));
        QTRY_COMPARE(done.count(), 1);
        QVERIFY(!player.isSounding());
        QVERIFY(!player.hasStartedPlayer());
    }

    // A chime is one process of the player: it plays until the process ends by itself, and a
    // stop, or the sound's end with the program, ends it at once; what is not a wave file never
    // starts one.
    void aChimeIsOneProcessOfThePlayer()
    {
        TempProgramFolder folder;
        const QString chime = folder.file("Sounds/chime.wav");
        const QString words = folder.file("Sounds/words.wav");
        TempProgramFolder::write(chime, wave());
        TempProgramFolder::write(words, "these are words, not a sound\n");
        const QString pids = folder.file("pids");
        // A stand-in player that writes down its process and sounds for `seconds`.
        const auto player = [&pids](const char *seconds) {
            return std::make_unique<ProcessSoundEffect>(
                QStringLiteral("/bin/sh"),
                QStringList{QStringLiteral("-c"),
                            QStringLiteral("echo $$ >>'%1'; exec sleep %2").arg(pids, QLatin1String(seconds)),
                            QStringLiteral("sh")});
        };
        const auto started = [&pids] { return TempProgramFolder::read(pids).trimmed().split('\n'); };
        const auto alive = [](const QByteArray &pid) { return ::kill(pid.toInt(), 0) == 0; };
        const auto ready = [](SoundEffect &sound, const QString &path) {
            sound.setSource(QUrl::fromLocalFile(path));
            QCOMPARE(sound.status(), SoundEffect::Status::Loading);
            QTRY_VERIFY(sound.status() != SoundEffect::Status::Loading);
        };

        auto sound = player("0");
        int changes = 0;
        sound->onChange([&changes] { ++changes; }, [] {});
        ready(*sound, words);
        QCOMPARE(sound->status(), SoundEffect::Status::Error);
        sound->play();
        QVERIFY(!sound->isPlaying());
        const QString pipe = folder.file("Sounds/pipe.wav");
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        ready(*sound, pipe); // looked at without waiting for a writer
        QCOMPARE(sound->status(), SoundEffect::Status::Error);
        ready(*sound, chime);
        QCOMPARE(sound->status(), SoundEffect::Status::Ready);
        sound->play();
        QVERIFY(sound->isPlaying());
        QTRY_VERIFY(!sound->isPlaying());
        QVERIFY(changes >= 2);
        QCOMPARE(started().size(), 1);

        sound = player("30");
        ready(*sound, chime);
        sound->play();
        QTRY_COMPARE(started().size(), 2);
        sound->stop();
        QVERIFY(!sound->isPlaying() && !alive(started().back()));
        sound->play();
        QTRY_COMPARE(started().size(), 3);
        QVERIFY(alive(started().back()));
        sound.reset();
        QVERIFY(!alive(started().back()));
    }

    void unplayableSoundsLeaveTheProgramFree()
    {
        const QByteArray plain = wave();
        // The lengths in a wave file's header: the whole file's at 4, its sound's at 40.
        const auto withLengths = [](QByteArray bytes, quint32 sound) {
            qToLittleEndian(sound + 36, bytes.data() + 4);
            qToLittleEndian(sound, bytes.data() + 40);
            return bytes;
        };
        const qint64 huge = 100 * 1024 * 1024;
        // The bytes; the file is made this long with zero bytes, -1 a pipe; whether the player is
        // given the file.
        const std::tuple<QByteArray, qint64, bool> rows[] = {
            {"", 0, true},                                                  // zero bytes
            {"these are words, not a sound\n", 0, true},                    // not a wave file
            {withLengths(plain, 0xFFFFFF00), 0, true},                      // a header that claims 4 GB
            {withLengths(plain.left(44), quint32(huge - 44)), huge, false}, // a wave file of 100 MB
            // Given to the player, reading it would wait in open() for a writer for ever.
            {"", -1, false}};
        for (const auto &[bytes, size, handed] : rows) {
            TempProgramFolder folder;
            const QString path = folder.file("Sounds/chime.wav");
            if (size < 0)
                QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
            else
                TempProgramFolder::write(path, bytes);
            if (size > 0)
                QVERIFY(QFile::resize(path, size));
            QtSoundPlayer player(realSound);
            player.prepare(path);
            player.command(QStringLiteral("Open"));
            QCOMPARE(player.openFile() == path, handed);
            player.command(QStringLiteral("Play"));
            // Time for the player to try and fail.
            QTest::qWait(500);
            QCOMPARE(player.hasStartedPlayer(), handed);
            player.command(QStringLiteral("Close"));
        }
    } // and the test program ends, with nothing left running (clean under the leak checker)

    // Pages are let go only where the file holds them unchanged: memory the program writes, on
    // the heap or in its own data, keeps its contents.
    void onlyReadOnlyFilePagesAreLetGo()
    {
        static char data[4 * 4096] = {'x'};
        std::fill(std::begin(data), std::end(data), 'x');
        std::vector<char> heap(4 * 4096, 'x');
        for (char *bytes : {data, heap.data()}) {
            forgetSegmentPages(bytes + 4096);
            QVERIFY(std::all_of(bytes, bytes + 4 * 4096, [](char c) { return c == 'x'; }));
        }
    }
};

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
