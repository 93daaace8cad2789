#include "platform/ProcessSoundEffect.h"

#include "platform/LocalFiles.h"

#include <QFile>
#include <QStandardPaths>

namespace vrim {
namespace {

// A wave file begins "RIFF", its length, "WAVE". Only a regular file is opened to look: opening a
// pipe would wait for a writer for ever.
bool isWaveFile(const QString &path)
{
    if (files::regularFileSize(path) < 12)
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray start = file.read(12);
    return start.size() == 12 && start.startsWith("RIFF") && start.endsWith("WAVE");
}

} // namespace

ProcessSoundEffect::ProcessSoundEffect(QString player, QStringList arguments)
    : m_player(std::move(player))
    , m_arguments(std::move(arguments))
{
    // What the player says of a file it cannot play is of no use to the user.
    m_process.setStandardOutputFile(QProcess::nullDevice());
    m_process.setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(&m_process, &QProcess::stateChanged, &m_context, [this](QProcess::ProcessState state) {
        if (state != QProcess::Starting && m_playingChanged)
            m_playingChanged();
    });
}

ProcessSoundEffect::~ProcessSoundEffect()
{
    m_playingChanged = nullptr;
    m_statusChanged = nullptr;
    stop();
}

std::unique_ptr<SoundEffect> ProcessSoundEffect::desktopPlayer()
{
    const QString player = QStandardPaths::findExecutable(QStringLiteral("paplay"));
    if (player.isEmpty())
        return nullptr;
    return std::make_unique<ProcessSoundEffect>(
        player, QStringList{QStringLiteral("--client-name=Vrim Clocks"), QStringLiteral("--stream-name=chime")});
}

void ProcessSoundEffect::onChange(std::function<void()> playingChanged, std::function<void()> statusChanged)
{
    m_playingChanged = std::move(playingChanged);
    m_statusChanged = std::move(statusChanged);
}

void ProcessSoundEffect::setSource(const QUrl &source)
{
    stop();
    m_source = source;
    if (source.isEmpty()) {
        setStatus(Status::Null);
        return;
    }
    // Looked at from the event loop, as a sound library loads a file: a Play sent meanwhile waits
    // for the answer.
    setStatus(Status::Loading);
    QMetaObject::invokeMethod(
        &m_context,
        [this, source] {
            if (m_source == source && m_status == Status::Loading)
                setStatus(isWaveFile(source.toLocalFile()) ? Status::Ready : Status::Error);
        },
        Qt::QueuedConnection);
}

void ProcessSoundEffect::play()
{
    if (m_status != Status::Ready)
        return;
    stop(); // a sound starts from the beginning
    m_process.start(m_player, m_arguments + QStringList{m_source.toLocalFile()});
}

void ProcessSoundEffect::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.kill();
    m_process.waitForFinished(1000);
}

void ProcessSoundEffect::setStatus(Status status)
{
    if (status == m_status)
        return;
    m_status = status;
    if (m_statusChanged)
        m_statusChanged();
}

} // namespace vrim
