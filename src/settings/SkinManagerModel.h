#pragma once

#include "settings/ChimeRules.h"
#include "settings/DataFolders.h"
#include "settings/SettingsStore.h"

#include <QString>

#include <array>
#include <functional>
#include <optional>
#include <span>

namespace vrim {

class Platform;
class SoundPlayer;
class WindowRegistry;

namespace skinmanager {

inline const QString PictureFilters =
    QStringLiteral("All Files (*.*)|*.*|JPG Files (*.jpg)|*.jpg|Gif Files (*.gif)|*.gif");
inline const QString SoundFilters = QStringLiteral("All Files (*.*)|*.*|wave Files (*.wav)|*.wav|");
// The interval buttons, in their index order.
inline const std::array<QString, 6> &IntervalButtons = interval::All;

} // namespace skinmanager

// Where one Skin Manager of the family differs from the others.
struct SkinManagerDesign {
    QString window;  // "dovprefs"
    Design design;   // the clock it dresses
    QString caption; // "Dov Skin Manager"
    QString pictureFilters = skinmanager::PictureFilters;
    bool twoPictures = false; // Norvi: a frame and a centre picture
};

namespace skinmanager {

// Every design's row, from the cards of the designs that have one (clocks/Designs.h).
std::span<const SkinManagerDesign> all();
const SkinManagerDesign *find(const QString &window);

} // namespace skinmanager

// One Skin Manager dialog without its window: what it read, what the user chose, what Ok saves.
// Every way out (Ok, Cancel, closing) closes its player and raises the clock's refresh signal;
// only Ok writes, each file whole.
class SkinManagerModel {
public:
    enum Picture { Frame = 0, Centre = 1 }; // the family has only the first

    struct Preview {
        QString path;    // empty: blank
        QString problem; // why the picture at `path` cannot be shown, or empty
    };

    SkinManagerModel(const SkinManagerDesign &design, DataFolders folders, WindowRegistry &registry,
                     Platform &platform, SoundPlayer &player, QString homePage);

    const SkinManagerDesign &design() const { return m_design; }

    void open();
    void view();
    void change();
    void test();
    void selectInterval(int index) { m_interval = index; }
    void selectPicture(Picture which) { m_target = which; }
    // Saves and closes; when a file cannot be saved it says why and the dialog stays open.
    bool ok();
    void cancel();
    void closing();
    void openHomePage();
    void playerCompleted();

    std::optional<int> selectedInterval() const { return m_interval; }
    Picture pictureTarget() const { return m_target; }
    const Preview &preview(Picture which) const { return m_previews[which]; }
    const QString &storedChime() const { return m_storedChime; }

private:
    // Asks the clock this dialog dresses to re-read its settings on its next pass.
    void raiseRefresh();
    void showPreview(Picture which, const QString &path);
    void unload();

    const SkinManagerDesign &m_design;
    SettingsStore m_store;
    WindowRegistry &m_registry;
    Platform &m_platform;
    SoundPlayer &m_player;
    QString m_homePage;

    std::array<QString, 2> m_storedPictures;
    QString m_storedSound;
    QString m_storedChime;
    QString m_pictureChooserName; // the choosers remember their last file while the dialog is open
    QString m_soundChooserName;
    std::array<QString, 2> m_lastShown; // the last chosen picture that could be shown, per box
    std::array<Preview, 2> m_previews;
    std::optional<int> m_interval;
    Picture m_target = Frame;
};

} // namespace vrim
