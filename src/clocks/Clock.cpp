#include "clocks/Clock.h"

#include "clocks/SettledPass.h"
#include "platform/SoundPlayer.h"
#include "platform/TimeSource.h"
#include "settings/DesignFiles.h"

#include <QLoggingCategory>
#include <QStringView>

#include <utility>

// Off unless asked for (QT_LOGGING_RULES="vrim.chime.info=true"): one line for each chime sent
// to the player, which the soak counts.
Q_LOGGING_CATEGORY(lcChime, "vrim.chime", QtWarningMsg)

namespace vrim {
namespace {

// The second of the day that "HH:MM:SS" names, or nothing for words that name no time. Read
// every pass, so read by hand rather than through a time format.
std::optional<int> secondOfDay(QStringView text)
{
    if (text.size() != 8 || text[2] != u':' || text[5] != u':')
        return std::nullopt;
    int fields[3] = {};
    for (int i = 0; i < 3; ++i) {
        const QChar tens = text[3 * i], units = text[3 * i + 1];
        if (tens < u'0' || tens > u'9' || units < u'0' || units > u'9')
            return std::nullopt;
        fields[i] = (tens.unicode() - u'0') * 10 + (units.unicode() - u'0');
    }
    if (fields[0] > 23 || fields[1] > 59 || fields[2] > 59)
        return std::nullopt;
    return fields[0] * 3600 + fields[1] * 60 + fields[2];
}

} // namespace

Clock::Clock(Design design, const ClockContext &context)
    : m_design(design)
    , m_folders(context.folders)
    , m_time(context.time)
    , m_player(context.player)
    , m_buttonFace(context.buttonFace)
    , m_frame(frame::of(design), context.registry, context.ops, context.player,
              {.afterDrag = [this] { afterFrameStep(m_frame.design().afterDrag); },
               .afterToggle = [this] { afterFrameStep(m_frame.design().afterToggle); },
               .checkMark = [this](const QString &item) { return itemChecked(item); }})
    , m_chimer(chime::of(design))
{
    if (filesOf(design))
        m_skin.emplace(design, context.folders);
}

ColourValue Clock::buttonColour(const QString &name) const
{
    if (name == m_frame.design().onTopButton)
        return m_frame.onTopColour();
    const auto it = m_buttonColours.find(name);
    return it == m_buttonColours.end() ? m_buttonFace : it->second;
}

QString Clock::spokenTime()
{
    // Hours and minutes of "HH:MM:SS": every face shows at least those, in bars, hands or digits.
    return m_time.timeText().left(5);
}

void Clock::readSkin(bool quietly)
{
    const QString problem = m_skin->read(quietly);
    if (!problem.isEmpty())
        reportProblem(problem);
    m_pictures = m_skin->pictures();
    m_chime = m_skin->interval();
}

void Clock::sayOfSound()
{
    if (const QString problem = m_skin->takeSoundProblem(); !problem.isEmpty())
        reportProblem(problem);
}

void Clock::reportProblem(const QString &text) { Q_EMIT problem(text); }

void Clock::load()
{
    for (const FrameButton &button : buttons())
        m_buttonColours[button.name] = button.colour.value_or(m_buttonFace);
    for (const auto &[name, colour] : m_frame.design().paintedAtLoad)
        m_buttonColours[name] = colour;

    const ChimeDesign &chime = m_chimer.design();
    if (!m_skin) {
        loadOwn();
    } else if (chime.reloadAtLoad) {
        // The design's first pass reads everything (Quenz). The chime is read now as well, so
        // that Sound On is checked from the start; the skin waits for that first pass, which
        // also says what is wrong with the files (once: skin file, then sound file).
        m_refresh.raise();
        const QStringList pictures = m_pictures;
        readSkin(true);
        m_pictures = pictures;
        m_frame.soundMenu().setFromInterval(m_chime);
        if (m_chime != interval::NoChime && m_player)
            m_player->prepare(m_skin->soundFile());
    } else {
        readSkin();
        Q_EMIT picturesChanged();
        sayOfSound();
        m_frame.soundMenu().setFromInterval(m_chime);
        if (m_chime != interval::NoChime || chime.prepareWithoutChime) {
            if (m_player)
                m_player->prepare(m_skin->soundFile());
            if (chime.openAtLoad)
                send(QStringLiteral("Open"));
        }
    }
    m_frame.load();
    // The window's first pass comes at its load.
    passStarts();
    passAndChime();
}

void Clock::tick()
{
    passStarts();
    if (m_refresh.take())
        reload();
    passAndChime();
}

void Clock::reload()
{
    if (!m_skin)
        return; // nothing to read again
    const ChimeDesign &chime = m_chimer.design();
    if (!chime.closeOnReload.isEmpty())
        send(chime.closeOnReload);
    readSkin();
    reloading();
    Q_EMIT picturesChanged();
    sayOfSound();
    if (m_chime == interval::NoChime) {
        m_frame.soundMenu().chooseOff();
        return;
    }
    if (chime.reloadChecksSoundOn)
        m_frame.soundMenu().soundOn = true;
    if (m_player)
        m_player->prepare(m_skin->soundFile());
    if (chime.sampleOnReload) {
        for (const char *word : {"Open", "Play", "Close"})
            send(QString::fromLatin1(word));
        // A closed player forgets its file; the chimes to come need it again.
        if (m_player)
            m_player->prepare(m_skin->soundFile());
    }
    reloaded();
}

void Clock::setPictures(const QStringList &paths)
{
    m_pictures = paths;
    Q_EMIT picturesChanged();
}

void Clock::settle()
{
    vrim::settle(face(), [this] { passFace(); });
}

bool Clock::clockJumped()
{
    // A pass comes a second after the one before, or within the same second; one late pass is
    // no jump. Anything else (the clock set back or on, a summer-time change, a resume) is, and
    // the rules, which change only what a turn of the hour or minute changes, would go on
    // showing the old time. Midnight is one second like any other.
    const std::optional<int> last = std::exchange(m_lastPassSecond, secondOfDay(m_time.timeText()));
    if (!last || !m_lastPassSecond)
        return false;
    constexpr int Day = 24 * 60 * 60;
    const int ahead = (*m_lastPassSecond - *last + Day) % Day;
    return ahead > MaxSecondsBetweenPasses;
}

void Clock::passAndChime()
{
    if (clockJumped())
        freshFace();
    passFace();
    settle();
    if (m_player && m_chimer.pass(m_chime, m_frame.soundMenu(), m_time, *m_player, chimeUnits()))
        qCInfo(lcChime, "chime %s %s %s", qPrintable(designName(m_design)),
               qPrintable(m_time.date().toString(Qt::ISODate)), qPrintable(m_time.timeText()));
}

void Clock::resetSettled()
{
    resetFace();
    settle();
}

void Clock::afterFrameStep(FrameAfter step)
{
    switch (step) {
    case FrameAfter::Nothing:
        return;
    case FrameAfter::ResetFace:
        resetSettled();
        break;
    case FrameAfter::DesignStep:
        afterDrag();
        break;
    case FrameAfter::RaiseRefresh:
        m_refresh.raise();
        return;
    }
    Q_EMIT faceChanged();
}

void Clock::send(const QString &word)
{
    if (m_player)
        m_player->command(word);
}

} // namespace vrim
