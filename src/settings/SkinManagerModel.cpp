#include "settings/SkinManagerModel.h"

#include "base/RefreshSignal.h"
#include "base/WindowNames.h"
#include "base/WindowRegistry.h"
#include "platform/Platform.h"

#include <QFileInfo>

namespace vrim {
namespace skinmanager {

const SkinManagerDesign *find(const QString &window)
{
    for (const SkinManagerDesign &design : all())
        if (design.window == window)
            return &design;
    return nullptr;
}

} // namespace skinmanager

namespace {

// Where a chooser opens before anything was chosen: beside the stored file.
QString folderOf(const DataFolders &folders, const QString &stored)
{
    const QString path = folders.resolveStored(stored);
    return path.isEmpty() ? QString() : QFileInfo(path).path();
}

} // namespace

SkinManagerModel::SkinManagerModel(const SkinManagerDesign &design, DataFolders folders,
                                   WindowRegistry &registry, Platform &platform, SoundPlayer &player,
                                   QString homePage)
    : m_design(design)
    , m_store(std::move(folders))
    , m_registry(registry)
    , m_platform(platform)
    , m_player(player)
    , m_homePage(std::move(homePage))
{}

void SkinManagerModel::raiseRefresh()
{
    // Nothing to tell when the clock has closed meanwhile.
    if (ManagedWindow *clock = m_registry.window(windowOf(m_design.design)))
        if (RefreshSignal *signal = clock->refreshSignal())
            signal->raise();
}

void SkinManagerModel::open()
{
    const auto skin = m_store.readSkin(m_design.design);
    const auto sound = m_store.readSound(m_design.design);
    // A damaged file is said once; the dialog then offers its defaults, and writes only on Ok.
    for (const QString &problem : {skin.problem, sound.problem})
        if (!problem.isEmpty())
            m_platform.messages().warn(problem);
    m_storedPictures = {skin.value.picture, skin.value.centre};
    m_storedSound = sound.value.sound;
    m_storedChime = sound.value.interval;

    m_interval.reset();
    for (int i = 0; i < int(skinmanager::IntervalButtons.size()); ++i)
        if (skinmanager::IntervalButtons[size_t(i)] == m_storedChime)
            m_interval = i;

    showPreview(Frame, m_store.folders().resolveStored(m_storedPictures[Frame]));
    if (m_design.twoPictures) {
        showPreview(Centre, m_store.folders().resolveStored(m_storedPictures[Centre]));
        m_target = Centre;
        m_interval = 0; // "5 min", whatever is stored
    }
    m_player.prepare(m_store.folders().resolveStored(m_storedSound));
    m_player.command(QStringLiteral("Open"));
}

void SkinManagerModel::showPreview(Picture which, const QString &path)
{
    m_previews[which] = {path, path.isEmpty() ? QString() : m_platform.pictures().problemShowing(path)};
}

void SkinManagerModel::view()
{
    const QString chosen =
        m_platform.choosers().chooseFile(m_design.pictureFilters, 1, m_pictureChooserName,
                                         folderOf(m_store.folders(), m_storedPictures[Frame]));
    if (!chosen.isEmpty())
        m_pictureChooserName = chosen;
    const Picture which = m_design.twoPictures ? m_target : Frame;
    showPreview(which, m_pictureChooserName);
    if (!m_pictureChooserName.isEmpty() && m_previews[which].problem.isEmpty())
        m_lastShown[which] = m_pictureChooserName;
}

void SkinManagerModel::change()
{
    const QString chosen = m_platform.choosers().chooseFile(skinmanager::SoundFilters, 1, m_soundChooserName,
                                                            folderOf(m_store.folders(), m_storedSound));
    if (!chosen.isEmpty())
        m_soundChooserName = chosen;
}

void SkinManagerModel::test()
{
    m_player.command(QStringLiteral("close"));
    m_player.prepare(m_soundChooserName.isEmpty() ? m_store.folders().resolveStored(m_storedSound)
                                                  : m_soundChooserName);
    m_player.command(QStringLiteral("Open"));
    m_player.command(QStringLiteral("Play"));
}

bool SkinManagerModel::ok()
{
    if (m_interval)
        m_storedChime = skinmanager::IntervalButtons[size_t(*m_interval)];
    const SkinSettings skin{m_lastShown[Frame].isEmpty() ? m_storedPictures[Frame] : m_lastShown[Frame],
                            m_lastShown[Centre].isEmpty() ? m_storedPictures[Centre] : m_lastShown[Centre]};
    const SoundSettings sound{m_soundChooserName.isEmpty() ? m_storedSound : m_soundChooserName,
                              m_storedChime};
    // Both files or neither; the dialog stays open with what was chosen in it.
    if (const Saved saved = m_store.writeSkinAndSound(m_design.design, skin, sound); !saved.ok()) {
        m_platform.messages().inform(saved.problem);
        return false;
    }
    raiseRefresh();
    unload();
    return true;
}

void SkinManagerModel::cancel()
{
    m_player.command(QStringLiteral("Close"));
    raiseRefresh();
    unload();
}

void SkinManagerModel::closing()
{
    m_player.command(QStringLiteral("Close"));
    raiseRefresh();
}

void SkinManagerModel::unload() { m_registry.unload(m_design.window); }

void SkinManagerModel::openHomePage() { m_platform.shell().openPage(m_homePage); }

void SkinManagerModel::playerCompleted() { m_player.command(QStringLiteral("Prev")); }

} // namespace vrim
