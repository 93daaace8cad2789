#include "clocks/lumbo/LumboClock.h"

#include "platform/SoundPlayer.h"
#include "platform/TimeSource.h"

namespace vrim {

LumboClock::LumboClock(const ClockContext &context)
    : Clock(Design::Lumbo, context)
    , m_folders(context.folders)
    , m_lumbo(context.buttonFace)
{}

std::vector<FrameButton> LumboClock::buttons() const
{
    // Quit sits on the bar; the other three hang from the window's bottom edge, which cuts
    // them off.
    return {
        {lumbo::control::Quit, {60 + 120, 720, 225, 135}, QStringLiteral("Quit"), QuitColour},
        {lumbo::control::Preferences, {8730, 870, 225, 135}, QStringLiteral("Preferences"), PrefColour},
        {lumbo::control::Move, {8430, 870, 225, 135}, QStringLiteral("Move"), PaleGreen},
        {lumbo::control::OnTop, {8130, 870, 225, 135}, QStringLiteral("On Top"), PaleGreen},
    };
}

void LumboClock::loadOwn()
{
    // A missing or damaged file: the defaults, said once, and the file left as it is.
    const Loaded<LumboSettings> loaded = SettingsStore(m_folders).readLumbo();
    if (!loaded.ok())
        reportProblem(loaded.problem);
    m_settings = loaded.value;
    m_chimeSound = m_folders.path(u"\\Sounds\\bzz.wav");
    m_lumbo.setLook(m_settings.innerColour, m_settings.outerColour, m_settings.frameBorder == 1);
    // The hourly chime, only while the switch is 1; it has no Sound menu to change that.
    setChime(interval::OneHour);
    SoundMenu &sound = frame().soundMenu();
    if (m_settings.soundSwitch == 1)
        sound.chooseOn();
    else
        sound.chooseOff();
}

void LumboClock::passStarts()
{
    // Every pass, as the clock always did: after the dialog has closed the player, the next
    // pass has it ready again. It only names the file; nothing is read until a chime opens it.
    if (m_settings.soundSwitch != 0 && player())
        player()->prepare(m_chimeSound);
}

void LumboClock::passFace() { m_lumbo.show(time().timeText()); }

void LumboClock::showLook(const LumboSettings &look)
{
    m_settings.innerColour = look.innerColour;
    m_settings.outerColour = look.outerColour;
    m_settings.frameBorder = look.frameBorder;
    m_lumbo.setLook(look.innerColour, look.outerColour, look.frameBorder == 1);
    Q_EMIT faceChanged();
}

} // namespace vrim
