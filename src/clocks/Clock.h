#pragma once

#include "base/Design.h"
#include "base/RefreshSignal.h"
#include "clocks/ClockFrame.h"
#include "clocks/Face.h"
#include "clocks/SkinFiles.h"
#include "settings/ChimeRules.h"
#include "settings/Chimer.h"
#include "settings/DataFolders.h"

#include <QSize>
#include <QStringList>

#include <functional>
#include <map>
#include <optional>

namespace vrim {

class Messages;
class SoundPlayer;
class TimeSource;
class WindowOps;
class WindowRegistry;

// What a clock needs from outside, in one place. The window makes it from the platform and its
// own native window; tests make it from test doubles.
struct ClockContext {
    DataFolders folders;
    TimeSource &time;
    WindowRegistry &registry;
    WindowOps &ops;
    SoundPlayer *player = nullptr; // none for a design without a chime
    ColourValue buttonFace = 0;    // the platform's button-face colour: unlit lamps and bars
};

// Words on a frame button, in a label of their own on a background of their own (Perrin's
// minutes on its on-top box). The label's place is in twips within the button.
struct ButtonLabel {
    QString name;
    QPoint twips;
    QString text;
    ColourValue background = 0;
    bool operator==(const ButtonLabel &) const = default;
};

// A small coloured frame button on the face (a picture box, or a push button where the design
// has one), in twips, with its tool-tip and its colour before load.
struct FrameButton {
    QString name;
    QRect twips;
    QString tip;
    std::optional<ColourValue> colour; // none: the button face
    bool push = false;
    bool invisible = false; // a hot spot: answers the mouse, shows nothing
    std::optional<ButtonLabel> label;
};

// Any design's clock without its window: its frame and its face, and the parts its card gives
// it (the skin and sound files, the chime), run by load and by one pass a second. What is the
// same for every design lives here; a design gives its face and its quirks through the hooks
// below.
class Clock : public QObject {
    Q_OBJECT
public:
    Clock(Design design, const ClockContext &context);
    virtual ~Clock() = default;
    Clock(const Clock &) = delete;
    Clock &operator=(const Clock &) = delete;

    void load();
    // One pass: a reload when one is asked for, then the face, settled, and the chime test.
    void tick();

    Design design() const { return m_design; }
    // The design's face, as the window paints it.
    virtual const Face &face() const = 0;
    ClockFrame &frame() { return m_frame; }
    const ClockFrame &frame() const { return m_frame; }
    RefreshSignal &refresh() { return m_refresh; }
    const QString &chime() const { return m_chime; }
    // The pictures the window shows, by slot: the skin's (Norvi's also its centre), or the
    // design's own.
    const QStringList &pictures() const { return m_pictures; }

    // The time the face stands for, as words a screen reader says ("10:37"): a fresh reading, so
    // only read when asked.
    virtual QString spokenTime();

    virtual std::vector<FrameButton> buttons() const = 0;
    // The colour a frame button shows now (the on-top button's is the on-top state).
    ColourValue buttonColour(const QString &name) const;
    // What the mouse did on a frame button, after whatever the frame table binds to it: how a
    // design answers its own buttons (Norvi's "Secs/No Secs") and the frame buttons' extra
    // gestures (Quenz's move strip resets the face on a click and when the button comes up).
    enum class Gesture { Down, Up, Click, DoubleClick };
    virtual void buttonGesture(const QString &, Gesture) {}
    // The window was resized (and shown), to this size in logical pixels.
    virtual void resized(QSize, bool /*minimised*/) {}

    // Reads a picture of the design's own (Mip's numbers) into the window's slot, after the
    // settings' slots, and keeps it there; answers what went wrong, or nothing.
    using PictureReader = std::function<QString(int slot, const QString &path)>;
    void onReadPicture(PictureReader reader) { m_readPicture = std::move(reader); }

Q_SIGNALS:
    // The pictures changed (load and every reload): the window loads them.
    void picturesChanged();
    // The face changed outside a pass (a drag ended, the on-top button): show it.
    void faceChanged();
    // A settings file could not be used; the clock goes on with its defaults.
    void problem(const QString &text);

protected:
    // The design's face: one pass of its rules, reading the time afresh.
    virtual void passFace() = 0;
    // ResetFace, where the design has one: everything back to its unlit state, then a pass.
    virtual void resetFace() {}
    // The face as a window opened now has it before its first pass, but for what the design
    // keeps on purpose across turns: run before a pass when the clock has been set or the
    // machine has slept. Nothing to do for a design whose every pass draws the whole face.
    virtual void freshFace() {}
    // The design's own steps of a reload, after the files are read and before the pictures.
    virtual void reloading() {}
    // ... and after the player is prepared again.
    virtual void reloaded() {}
    // The minutes' units digit this pass already read, where the design's chime takes it.
    virtual std::optional<int> chimeUnits() const { return std::nullopt; }
    // The design's own step after a drag, where the frame table says it has one.
    virtual void afterDrag() {}
    // The check mark of a menu item of the design's own (Jolvex's seconds items), or none.
    virtual std::optional<bool> itemChecked(const QString &) const { return std::nullopt; }
    // At load, in a design without skin and sound files: what it keeps of its own (Lumbo's
    // file, its look, its chime and Sound marks). Nothing for a design that keeps nothing.
    virtual void loadOwn() {}
    // A design without a skin gives its pictures itself.
    void setPictures(const QStringList &paths);
    // The first step of every pass, before a reload and the face.
    virtual void passStarts() {}

    TimeSource &time() { return m_time; }
    SoundPlayer *player() { return m_player; }
    void setChime(const QString &chime) { m_chime = chime; }
    // A settings file could not be used: the window says so.
    void reportProblem(const QString &text);
    const DataFolders &folders() const { return m_folders; }
    // Through the window's reader; what went wrong, or nothing (also without a window).
    QString readPicture(int slot, const QString &path)
    {
        return m_readPicture ? m_readPicture(slot, path) : QString();
    }
    void setButtonColour(const QString &name, ColourValue colour) { m_buttonColours[name] = colour; }
    // ResetFace, then settled: for a design's own handlers.
    void resetSettled();
    // The face settled after a design's own step that is not a reset.
    void settleFace() { settle(); }

private:
    // Reads the skin and sound files; says what is wrong with the skin file unless `quietly`,
    // and keeps what is wrong with the sound file for sayOfSound().
    void readSkin(bool quietly = false);
    // Says what is wrong with the sound file, after all that is wrong with the skin: its file
    // and then its pictures, which load after the files are read.
    void sayOfSound();
    void reload();
    void settle();
    void passAndChime();
    bool clockJumped();
    void send(const QString &word);
    void afterFrameStep(FrameAfter step);

    Design m_design;
    DataFolders m_folders;
    TimeSource &m_time;
    SoundPlayer *m_player;
    ColourValue m_buttonFace;
    ClockFrame m_frame;
    Chimer m_chimer;
    RefreshSignal m_refresh;
    std::map<QString, ColourValue> m_buttonColours;
    std::optional<SkinFiles> m_skin; // a design with skin and sound files
    QStringList m_pictures;
    QString m_chime;
    std::optional<int> m_lastPassSecond; // the second of the day the last pass began in
    PictureReader m_readPicture;
};

} // namespace vrim
