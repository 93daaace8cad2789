#pragma once

#include <QRect>
#include <QSize>
#include <QString>

#include <functional>
#include <span>

namespace vrim {

class WindowRegistry;

namespace help {

// How a design's sample is shown by the help page window's sample button.
enum class SampleKind {
    None,               // the button is disabled
    PictureByShown,     // Vrimcolor: a picture inside the window, toggled by whether it is shown
    PictureByCaption,   // Jolvex: a picture inside the window, toggled by the button's caption
    Window,             // Lumbo: one sample window
    WindowHidesPicture, // Quenz, Norvi: one sample window; hiding it also hides the picture
    MipWindows,         // Mip: the sample picture and the "Mip Numbers" window
    Dov,                // Dov: the button disables itself and hides the picture
};

struct HelpKey {
    QString key;      // exact, letter case included
    QString pageFile; // in the Helps folder
    SampleKind sample = SampleKind::None;
    QString sampleName; // the picture (in Helps) or the sample window
    bool sampleEnabled = false;
};

// The keys, in the order they are tried.
std::span<const HelpKey> keys();
// The first key that is exactly `text`, or nothing.
const HelpKey *find(const QString &text);

inline const QString ShowCaption = QStringLiteral("Show Sample");
inline const QString HideCaption = QStringLiteral("Hide Sample");

// The in-window sample picture's box: its own size at its place in the lower left, made smaller
// (keeping its proportions) when it would not fit the window, and moved up or left to stay inside.
QRect pictureBox(QSize picture, QSize client);

// What the help page window does for its page and sample button, decided without a screen. The
// window carries it out through these hooks.
struct PageHooks {
    std::function<void(const QString &pageFile)> loadPage;
    std::function<void(const QString &pictureFile)> showPicture; // load it into the picture box
    std::function<void()> hidePicture;
    std::function<bool()> pictureShown;
    std::function<void(const QString &window)> showWindow;
    std::function<void(const QString &window)> hideWindow;
    std::function<void()> buttonChanged; // caption or enabled state
};

class HelpPage {
public:
    explicit HelpPage(PageHooks hooks);

    // The text box changed: a key loads its page; any other text changes nothing.
    void textChanged(const QString &text);
    // The "Show Sample"/"Hide Sample" button.
    void toggleSample();

    const QString &sampleKey() const { return m_sampleKey; }
    const QString &caption() const { return m_caption; }
    bool buttonEnabled() const { return m_enabled; }

private:
    void setCaption(const QString &caption);
    void hidePicture();

    PageHooks m_hooks;
    QString m_sampleKey;
    QString m_caption = ShowCaption;
    bool m_enabled = true;
};

} // namespace help

// The one way into help: shows the help page window (an open one comes forward) and hands it
// the key.
void showHelpPage(WindowRegistry &registry, const QString &key);

} // namespace vrim
