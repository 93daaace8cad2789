#pragma once

#include "settings/SkinManagerModel.h"
#include "ui/VrimWindow.h"

#include <array>
#include <memory>

class QLabel;
class QPushButton;
class QRadioButton;

namespace vrim {

class ClickLabel;
class Platform;
class SoundPlayer;

// A Skin Manager of the family: a picture half, a sound half, Ok and Cancel. Its layout is fixed,
// like the clocks it dresses.
class SkinManagerDialog final : public VrimWindow {
    Q_OBJECT
public:
    SkinManagerDialog(const SkinManagerDesign &design, WindowRegistry &registry, Platform &platform,
                      const DataFolders &folders);
    ~SkinManagerDialog() override;

    SkinManagerModel &model() { return *m_model; }
    void unloading() override;

    QPushButton *button(const QString &caption) const;
    QRadioButton *intervalButton(int index) const { return m_intervals[size_t(index)]; }

private:
    void showState();
    QPushButton *addButton(const QString &caption, const QRect &geometry);

    std::unique_ptr<SoundPlayer> m_player;
    std::unique_ptr<SkinManagerModel> m_model;
    std::array<QLabel *, 2> m_previews{};
    std::array<QRadioButton *, 6> m_intervals{};
    std::array<QRadioButton *, 2> m_targets{}; // Norvi's "Frame" and "Center"
};

} // namespace vrim
