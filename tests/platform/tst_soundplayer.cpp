#include "platform/QtSoundPlayer.h"
#include "support/TempProgramFolder.h"

#include <QtTest>

#include <sys/stat.h>

using namespace vrim;
using vrim::test::TempProgramFolder;

// The real player on files it cannot play: whatever the file, the program goes on and ends.
class TestSoundPlayer : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void unplayableSoundsLeaveTheProgramFree_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("zero bytes") << QByteArray("");
        QTest::newRow("not a wave file") << QByteArray("these are words, not a sound\n");
    }
    void unplayableSoundsLeaveTheProgramFree()
    {
        QFETCH(QByteArray, bytes);
        TempProgramFolder folder;
        const QString path = folder.file("Sounds/chime.wav");
        TempProgramFolder::write(path, bytes);
        {
            QtSoundPlayer player;
            player.prepare(path);
            player.command(QStringLiteral("Open"));
            player.command(QStringLiteral("Play"));
            // The library decodes on a thread of its own: give it time to try and fail.
            QTest::qWait(500);
            player.command(QStringLiteral("Close"));
        }
        // The player is gone with nothing left running: the test program ends (and, under the
        // leak checker, ends clean).
    }

    void aPipeNeverReachesTheSoundLibrary()
    {
        TempProgramFolder folder;
        const QString pipe = folder.file("Sounds/pipe.wav");
        QVERIFY(::mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
        QtSoundPlayer player;
        player.prepare(pipe);
        player.command(QStringLiteral("Open"));
        player.command(QStringLiteral("Play"));
        player.command(QStringLiteral("Close"));
        // Had the library been given the pipe, its loader thread would now wait in open() for a
        // writer, and this test program would never end.
    }
};

QTEST_MAIN(TestSoundPlayer)
#include "tst_soundplayer.moc"
