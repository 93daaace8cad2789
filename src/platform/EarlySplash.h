#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

class QImage;
class QWindow;
struct xcb_connection_t;
struct xcb_screen_t;

namespace vrim {

// The splash put up by the X server itself as soon as the program runs, before Qt has loaded its
// platform plug-in, fonts and styles: the picture the splash showed at its first paint last time,
// kept with what it depends on (this program file, the screen and its work area, the desktop's
// settings). The splash proper then opens over it, the same pixels in the same place, and takes it
// down. Only on an X display Qt will use (main.cpp does not ask for it on a start that only brings
// a running copy forward); on a first start, or when anything it depends on changed, nothing is
// shown early and the picture is kept afresh.
class EarlySplash {
public:
    // Opens a connection of its own to the display when Qt will draw on X (no other platform or
    // display asked for in the environment or on the command line).
    EarlySplash(QString keptFile, int argc, char **argv);
    ~EarlySplash();
    EarlySplash(const EarlySplash &) = delete;
    EarlySplash &operator=(const EarlySplash &) = delete;

    // Puts the kept picture up when it was kept for this program on this screen; false when there
    // is no display to draw on or no picture fit to show.
    bool show();

    // The splash proper is on the screen in `window` and first showed `frame`: takes the early
    // picture down once the splash's own drawing has reached the server, keeps `frame` for the
    // next start (when it differs from the one kept), and lets the display go.
    void handOver(const QWindow &window, const QImage &frame);

private:
    struct Kept;
    void takeDown();
    void keep(const QWindow &window, const QImage &frame);

    QString m_keptFile;
    xcb_connection_t *m_connection = nullptr;
    xcb_screen_t *m_screen = nullptr;
    QByteArray m_fingerprint; // what the picture depends on, as this start finds it
    std::uint32_t m_atoms[5] = {};
    std::uint32_t m_window = 0;
};

} // namespace vrim
