#include "clocks/SkinFiles.h"

#include "settings/SettingsStore.h"

#include <utility>

namespace vrim {

SkinFiles::SkinFiles(Design design, DataFolders folders)
    : m_design(design)
    , m_folders(std::move(folders))
{}

QString SkinFiles::read(bool quietly)
{
    const SettingsStore store(m_folders);
    const auto skin = store.readSkin(m_design);
    const auto sound = store.readSound(m_design);
    m_soundProblem = quietly ? QString() : sound.problem;
    m_pictures = {m_folders.resolveStored(skin.value.picture)};
    if (filesOf(m_design)->skinLines() > 1)
        m_pictures.append(m_folders.resolveStored(skin.value.centre));
    m_soundFile = m_folders.resolveStored(sound.value.sound);
    m_interval = sound.value.interval;
    return quietly ? QString() : skin.problem;
}

QString SkinFiles::takeSoundProblem() { return std::exchange(m_soundProblem, {}); }

} // namespace vrim
