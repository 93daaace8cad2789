#include "platform/QtSoundPlayer.h"
#include "support/TempProgramFolder.h"

#include <QtEndian>
#include <QtTest>

#include <sys/stat.h>

using namespace vrim;
using vrim::test::TempProgramFolder;

// The real player: once closed it stays closed until prepared again, and whatever the file,
// the program goes on and ends.
class TestSoundPlayer : public QObject {
    Q_OBJECT
    // A tenth of a second of quiet 16-bit mono PCM at 44.1 kHz: a wave file the player accepts.
    static QByteArray wave()
    {
        QByteArray bytes;
        QDataStream out(&bytes, QIODevice::WriteOnly);
        out.setByteOrder(QDataStream::LittleEndian);
        out.writeRawData("RIFF", 4);
        out << quint32(36 + 8820);
        out.writeRawData("WAVEfmt ", 8);
        // PCM, mono, samples and bytes a second, bytes and bits a sample
        out << quint32(16) << quint16(1) << quint16(1) << quint32(44100) << quint32(44100 * 2) << quint16(2)
            << quint16(16);
        out.writeRawData("data", 4);
        out << quint32(8820);
        return bytes + QByteArray(8820, '\0');
    }
    static QString writeWave(const TempProgramFolder &folder, const QString &name)
    {
        TempProgramFolder::write(folder.file(name), wave());
        return folder.file(name);
    }

private Q_SLOTS:
    void aClosedPlayerStaysClosedUntilPreparedAgain()
    {
        TempProgramFolder folder;
        const QString chime = writeWave(folder, "Sounds/chime.wav");

        QtSoundPlayer player;
        player.prepare(chime);
        player.command(QStringLiteral("Open"));
        QCOMPARE(player.openFile(), chime);

        // The Skin Manager closes the clock's player; the clock's next due pass still sends
        // Open and Play, which must not bring the old chime back over the dialog.
        player.command(QStringLiteral("close"));
        player.command(QStringLiteral("Open"));
        player.command(QStringLiteral("Play"));
        QCOMPARE(player.openFile(), QString());
        QVERIFY(!player.isSounding());

        // The reload after the dialog prepares it again; the next chime opens the new sound.
        player.prepare(chime);
        player.command(QStringLiteral("Open"));
        QCOMPARE(player.openFile(), chime);
        player.command(QStringLiteral("Close"));
        QCOMPARE(player.openFile(), QString());
    }

    // Lumbo prepares its player on every pass: that names the file and nothing more, and an Open
    // of the sound already open reads and decodes nothing again. Until the first chime is due
    // the sound library is not even started.
    void preparingTheSameSoundEveryPassLoadsItOnce()
    {
        TempProgramFolder folder;
        const QString chime = writeWave(folder, "Sounds/bzz.wav");
        QtSoundPlayer player;
        // A reload's sample, closed in the same pass, sounds nothing and starts nothing.
        player.prepare(chime);
        for (const char *word : {"Open", "Play", "Close"})
            player.command(QString::fromLatin1(word));
        QCoreApplication::processEvents();
        QVERIFY(!player.hasStartedLibrary());
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

    void unplayableSoundsLeaveTheProgramFree_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qint64>("size"); // the file is made this long with zero bytes; -1: a pipe
        QTest::addColumn<bool>("handed"); // whether the sound library is given the file
        const QByteArray plain = wave();
        // The lengths in a wave file's header: the whole file's at 4, its sound's at 40.
        const auto withLengths = [](QByteArray bytes, quint32 sound) {
            qToLittleEndian(sound + 36, bytes.data() + 4);
            qToLittleEndian(sound, bytes.data() + 40);
            return bytes;
        };
        const qint64 huge = 100 * 1024 * 1024;
        const QByteArray lying = withLengths(plain, 0xFFFFFF00);
        const QByteArray hugeHeader = withLengths(plain.left(44), quint32(huge - 44));
        QTest::newRow("zero bytes") << QByteArray("") << qint64(0) << true;
        QTest::newRow("not a wave file") << QByteArray("these are words, not a sound\n") << qint64(0) << true;
        QTest::newRow("a header that claims 4 GB") << lying << qint64(0) << true;
        QTest::newRow("a wave file of 100 MB") << hugeHeader << huge << false;
        // Given to the library, its loader thread would wait in open() for a writer for ever.
        QTest::newRow("a pipe") << QByteArray() << qint64(-1) << false;
    }
    void unplayableSoundsLeaveTheProgramFree()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(qint64, size);
        QFETCH(bool, handed);
        TempProgramFolder folder;
        const QString path = folder.file("Sounds/chime.wav");
        if (size < 0)
            QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        else
            TempProgramFolder::write(path, bytes);
        if (size > 0)
            QVERIFY(QFile::resize(path, size));
        {
            QtSoundPlayer player;
            player.prepare(path);
            player.command(QStringLiteral("Open"));
            // The library keeps the whole sound in memory: a file far larger than a chime is
            // never given to it.
            QCOMPARE(player.openFile() == path, handed);
            player.command(QStringLiteral("Play"));
            // The library decodes on a thread of its own: give it time to try and fail.
            QTest::qWait(500);
            QCOMPARE(player.hasStartedLibrary(), handed);
            player.command(QStringLiteral("Close"));
        }
        // The player is gone with nothing left running: the test program ends (and, under the
        // leak checker, ends clean).
    }
};

QTEST_MAIN(TestSoundPlayer)
#include "tst_soundplayer.moc"
