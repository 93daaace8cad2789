#include "platform/QtSoundPlayer.h"

#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

using namespace vrim;

class TestSoundPlayer : public QObject {
    Q_OBJECT

    // A tenth of a second of quiet 16-bit mono PCM: a wave file the player accepts.
    static QString writeWave(const QString &path)
    {
        const quint32 samples = 4410, dataBytes = samples * 2;
        QByteArray wave;
        const auto add32 = [&wave](quint32 v) { v = qToLittleEndian(v); wave.append(reinterpret_cast<const char *>(&v), 4); };
        const auto add16 = [&wave](quint16 v) { v = qToLittleEndian(v); wave.append(reinterpret_cast<const char *>(&v), 2); };
        wave.append("RIFF");
        add32(36 + dataBytes);
        wave.append("WAVEfmt ");
        add32(16);
        add16(1); // PCM
        add16(1);
        add32(44100);
        add32(44100 * 2);
        add16(2);
        add16(16);
        wave.append("data");
        add32(dataBytes);
        wave.append(QByteArray(int(dataBytes), '\0'));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(wave) != wave.size())
            return {};
        return path;
    }

private Q_SLOTS:
    void aClosedPlayerStaysClosedUntilPreparedAgain()
    {
        QTemporaryDir dir;
        const QString chime = writeWave(dir.filePath(QStringLiteral("chime.wav")));
        QVERIFY(!chime.isEmpty());

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
};

QTEST_MAIN(TestSoundPlayer)
#include "tst_soundplayer.moc"
