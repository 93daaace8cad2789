#include "clocks/lumbo/LumboPrefsModel.h"

#include "base/WindowNames.h"
#include "base/WindowRegistry.h"
#include "platform/Platform.h"

namespace vrim {

LumboPrefsModel::LumboPrefsModel(DataFolders folders, WindowRegistry &registry, Platform &platform,
                                 std::function<LumboLook *()> findLumbo)
    : m_store(std::move(folders))
    , m_registry(registry)
    , m_platform(platform)
    , m_findLumbo(std::move(findLumbo))
{}

void LumboPrefsModel::open()
{
    const Loaded<LumboSettings> loaded = m_store.readLumbo();
    m_values = loaded.value;
    // An open clock has said so already when it read the same file.
    if (!loaded.ok() && !m_findLumbo())
        m_platform.messages().warn(loaded.problem);
    showOnClock();
}

void LumboPrefsModel::chooseColour(Colour which)
{
    const std::optional<ColourValue> chosen = m_platform.choosers().chooseColour(m_chooserColour);
    if (!chosen)
        return;
    m_chooserColour = *chosen;
    (which == Colour::Outer ? m_values.outerColour : m_values.innerColour) = qint32(*chosen);
    showOnClock();
}

void LumboPrefsModel::switchBorder()
{
    m_values.frameBorder = m_values.frameBorder == 1 ? 0 : 1;
    showOnClock();
}

void LumboPrefsModel::setSound(bool on) { m_values.soundSwitch = on ? 1 : 0; }

QString LumboPrefsModel::borderCaption() const
{
    return m_values.frameBorder == 1 ? QStringLiteral("No Borderer") : QStringLiteral("Borderer");
}

bool LumboPrefsModel::zeive()
{
    const Saved saved = m_store.writeLumbo(m_values);
    if (!saved.ok()) {
        m_platform.messages().inform(saved.problem);
        return false;
    }
    m_registry.unload(window::LumboPrefs);
    return true;
}

void LumboPrefsModel::candziel() { m_registry.unload(window::LumboPrefs); }

void LumboPrefsModel::showOnClock()
{
    if (LumboLook *lumbo = m_findLumbo())
        lumbo->showLook(m_values);
}

} // namespace vrim
