#pragma once

#include "help/MipSamples.h"
#include "ui/VrimWindow.h"

#include <memory>

class QLabel;

namespace vrim {

class Platform;
class Timer;

// "Mip Numbers": a small tool window that shows the twelve hour pictures of the Mip clock one
// after another, each with its number under it. The help browser opens it.
class MipSamplesWindow : public VrimWindow {
    Q_OBJECT
public:
    MipSamplesWindow(WindowRegistry &registry, Platform &platform);
    ~MipSamplesWindow() override;

    const MipSamples &samples() const { return m_samples; }
    QLabel *picture() const { return m_picture; }
    QLabel *numberLabel() const { return m_label; }
    void unloading() override;

protected:
    // The count runs only while the window is shown: hidden by the help page, it sleeps.
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void tick();

    MipSamples m_samples;
    std::unique_ptr<Timer> m_timer;
    QLabel *m_picture = nullptr;
    QLabel *m_label = nullptr;
};

} // namespace vrim
