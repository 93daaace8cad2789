#include "platform/EarlySplash.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QSaveFile>
#include <QSysInfo>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>

#include <sys/stat.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace vrim {
namespace {

constexpr char Magic[8] = {'V', 'R', 'I', 'M', 'S', 'P', 'L', '1'};
constexpr int FingerprintSize = 32; // SHA-256
constexpr int Largest = 4096;       // a side longer than this is not one of ours

template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;
template <typename T> Reply<T> reply(T *got) { return Reply<T>(got, &std::free); }

// What Qt reads that changes how the splash looks or where it goes, besides the screen.
constexpr std::array LookVariables{
    "QT_SCALE_FACTOR",       "QT_SCREEN_SCALE_FACTORS", "QT_ENABLE_HIGHDPI_SCALING", "QT_FONT_DPI",
    "QT_USE_PHYSICAL_DPI",   "QT_SCALE_FACTOR_ROUNDING_POLICY", "QT_QPA_PLATFORMTHEME", "QT_STYLE_OVERRIDE",
    "XDG_CURRENT_DESKTOP",   "DESKTOP_SESSION",         "LANG",                      "LC_ALL",
    "LC_CTYPE",              "LANGUAGE"};

// The platform Qt will use is X: none other asked for, and no Wayland session it would prefer.
bool qtDrawsOnX(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        return false;
    for (int i = 1; i < argc; ++i) {
        const QByteArray option = QByteArray(argv[i]).replace("--", "-");
        if (option.startsWith("-platform") || option.startsWith("-display"))
            return false;
    }
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty())
        return platform == "xcb";
    return qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") && qgetenv("XDG_SESSION_TYPE") != "wayland";
}

xcb_atom_t atomOf(xcb_connection_t *connection, xcb_intern_atom_cookie_t cookie)
{
    const auto got = reply(xcb_intern_atom_reply(connection, cookie, nullptr));
    return got ? got->atom : xcb_atom_t(XCB_ATOM_NONE);
}

QByteArray propertyOf(xcb_connection_t *connection, xcb_get_property_cookie_t cookie)
{
    const auto got = reply(xcb_get_property_reply(connection, cookie, nullptr));
    if (!got)
        return {};
    return QByteArray(static_cast<const char *>(xcb_get_property_value(got.get())),
                      xcb_get_property_value_length(got.get()));
}

// The screen's pixels are 32-bit words of 8-bit red, green and blue, in this machine's byte order:
// a picture of Qt's RGB32 goes to the server as it is.
bool takesRgb32(const xcb_setup_t *setup, const xcb_screen_t *screen)
{
    if (QSysInfo::ByteOrder != QSysInfo::LittleEndian || setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST ||
        screen->root_depth != 24)
        return false;
    bool words = false;
    for (auto format = xcb_setup_pixmap_formats_iterator(setup); format.rem; xcb_format_next(&format))
        if (format.data->depth == 24)
            words = format.data->bits_per_pixel == 32 && format.data->scanline_pad == 32;
    if (!words)
        return false;
    for (auto depth = xcb_screen_allowed_depths_iterator(screen); depth.rem; xcb_depth_next(&depth)) {
        for (auto visual = xcb_depth_visuals_iterator(depth.data); visual.rem; xcb_visualtype_next(&visual)) {
            const xcb_visualtype_t &v = *visual.data;
            if (v.visual_id == screen->root_visual)
                return v._class == XCB_VISUAL_CLASS_TRUE_COLOR && v.red_mask == 0xff0000 &&
                       v.green_mask == 0xff00 && v.blue_mask == 0xff;
        }
    }
    return false;
}

} // namespace

// The kept file: the magic, the fingerprint, the window's place and size in the server's pixels,
// then its rows of RGB32 pixels, top to bottom.
struct EarlySplash::Kept {
    char magic[sizeof Magic];
    char fingerprint[FingerprintSize];
    qint32 x, y, width, height;
};

enum Atom { WindowType, Splash, MotifHints, WorkArea, Pid, AtomCount };

EarlySplash::EarlySplash(QString keptFile, int argc, char **argv)
    : m_keptFile(std::move(keptFile))
{
    if (!qtDrawsOnX(argc, argv))
        return;
    int screenNumber = 0;
    m_connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(m_connection)) {
        xcb_disconnect(std::exchange(m_connection, nullptr));
        return;
    }
    auto screens = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
    for (int i = 0; i < screenNumber && screens.rem; ++i)
        xcb_screen_next(&screens);
    m_screen = screens.rem ? screens.data : nullptr;
    if (!m_screen) {
        xcb_disconnect(std::exchange(m_connection, nullptr));
        return;
    }

    QCryptographicHash hash(QCryptographicHash::Sha256);
    struct stat program {};
    if (::stat("/proc/self/exe", &program) == 0) {
        const std::array<qint64, 5> identity{qint64(program.st_dev), qint64(program.st_ino), qint64(program.st_size),
                                             qint64(program.st_mtim.tv_sec), qint64(program.st_mtim.tv_nsec)};
        hash.addData(QByteArrayView(reinterpret_cast<const char *>(identity.data()), sizeof identity));
    }
    const std::array<quint32, 5> screen{quint32(screenNumber), m_screen->width_in_pixels, m_screen->height_in_pixels,
                                        m_screen->root_depth, m_screen->root_visual};
    hash.addData(QByteArrayView(reinterpret_cast<const char *>(screen.data()), sizeof screen));
    for (const char *name : LookVariables)
        hash.addData(QByteArray(QByteArray(name) + '=' + qgetenv(name) + '\n'));

    static constexpr std::array<const char *, AtomCount> Names{
        "_NET_WM_WINDOW_TYPE", "_NET_WM_WINDOW_TYPE_SPLASH", "_MOTIF_WM_HINTS", "_NET_WORKAREA", "_NET_WM_PID"};
    std::array<xcb_intern_atom_cookie_t, AtomCount> cookies{};
    for (int i = 0; i < AtomCount; ++i)
        cookies[i] = xcb_intern_atom(m_connection, 0, uint16_t(std::strlen(Names[i])), Names[i]);
    // The desktop's resources say, among other things, the fonts' resolution.
    const auto resources = xcb_get_property(m_connection, 0, m_screen->root, XCB_ATOM_RESOURCE_MANAGER,
                                            XCB_ATOM_STRING, 0, 1 << 16);
    for (int i = 0; i < AtomCount; ++i)
        m_atoms[i] = atomOf(m_connection, cookies[i]);
    // The work area (the screen less its panels) decides where the splash is centred.
    const auto workArea =
        xcb_get_property(m_connection, 0, m_screen->root, m_atoms[WorkArea], XCB_ATOM_CARDINAL, 0, 1 << 12);
    hash.addData(propertyOf(m_connection, resources));
    hash.addData(propertyOf(m_connection, workArea));
    m_fingerprint = hash.result();
}

EarlySplash::~EarlySplash()
{
    if (m_connection)
        xcb_disconnect(m_connection);
}

bool EarlySplash::show()
{
    if (!m_connection || m_window || !takesRgb32(xcb_get_setup(m_connection), m_screen))
        return false;
    QFile file(m_keptFile);
    Kept kept{};
    if (!file.open(QIODevice::ReadOnly) || file.read(reinterpret_cast<char *>(&kept), sizeof kept) != sizeof kept ||
        std::memcmp(kept.magic, Magic, sizeof Magic) != 0 ||
        QByteArrayView(kept.fingerprint, FingerprintSize) != m_fingerprint || kept.width < 1 ||
        kept.width > Largest || kept.height < 1 || kept.height > Largest ||
        file.size() != qint64(sizeof kept) + qint64(kept.width) * kept.height * 4)
        return false;
    const uchar *pixels = file.map(sizeof kept, qint64(kept.width) * kept.height * 4);
    if (!pixels)
        return false;

    // The picture goes into a pixmap that becomes the window's background: the server paints it
    // whenever the window shows, with nobody here to answer an expose.
    const auto width = uint16_t(kept.width), height = uint16_t(kept.height);
    const xcb_pixmap_t pixmap = xcb_generate_id(m_connection);
    xcb_create_pixmap(m_connection, 24, pixmap, m_screen->root, width, height);
    const xcb_gcontext_t gc = xcb_generate_id(m_connection);
    xcb_create_gc(m_connection, gc, pixmap, 0, nullptr);
    const size_t row = size_t(width) * 4;
    const size_t perRequest = size_t(xcb_get_setup(m_connection)->maximum_request_length) * 4 - 32;
    const int rows = int(std::max<size_t>(1, perRequest / row));
    for (int top = 0; top < height; top += rows) {
        const int band = std::min(rows, height - top);
        xcb_put_image(m_connection, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap, gc, width, uint16_t(band), 0, int16_t(top), 0,
                      24, uint32_t(row * size_t(band)), pixels + row * size_t(top));
    }
    file.unmap(const_cast<uchar *>(pixels));

    m_window = xcb_generate_id(m_connection);
    // Exposures are asked for only so that whoever watches the server sees when it showed.
    const std::array<uint32_t, 2> values{pixmap, XCB_EVENT_MASK_EXPOSURE};
    xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, m_window, m_screen->root, int16_t(kept.x), int16_t(kept.y),
                      width, height, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, m_screen->root_visual,
                      XCB_CW_BACK_PIXMAP | XCB_CW_EVENT_MASK, values.data());
    const auto set = [this](xcb_atom_t property, xcb_atom_t type, int format, const auto &data) {
        xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, m_window, property, type, uint8_t(format),
                            uint32_t(sizeof data / (format / 8)), &data);
    };
    // As the splash proper asks: a splash, no frame, in this very place, not taking the focus.
    set(m_atoms[WindowType], XCB_ATOM_ATOM, 32, m_atoms[Splash]);
    set(m_atoms[MotifHints], m_atoms[MotifHints], 32, std::array<uint32_t, 5>{2, 0, 0, 0, 0});
    std::array<uint32_t, 18> size{};
    size[0] = 1 | 2 | 16 | 32; // user position and size, minimum and maximum size
    size[1] = uint32_t(kept.x), size[2] = uint32_t(kept.y), size[3] = size[5] = size[7] = width,
    size[4] = size[6] = size[8] = height;
    set(XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, 32, size);
    set(XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 32, std::array<uint32_t, 9>{1, 0});
    set(XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8, "vrimclocks\0Vrim Clocks");
    set(m_atoms[Pid], XCB_ATOM_CARDINAL, 32, uint32_t(::getpid()));
    xcb_map_window(m_connection, m_window);
    xcb_free_gc(m_connection, gc);
    xcb_free_pixmap(m_connection, pixmap); // the window holds it as long as it needs it
    xcb_flush(m_connection);
    return true;
}

void EarlySplash::handOver(const QWindow &window, const QImage &frame)
{
    if (!m_connection)
        return;
    takeDown();
    keep(window, frame);
    xcb_disconnect(std::exchange(m_connection, nullptr));
}

void EarlySplash::takeDown()
{
    if (!m_window)
        return;
    // Qt's drawing goes through a connection of its own: once the server has answered on that
    // one, it has drawn the splash, and the picture under it can go without a flicker.
    if (auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr) {
        xcb_connection_t *qt = x11->connection();
        reply(xcb_get_input_focus_reply(qt, xcb_get_input_focus(qt), nullptr));
    }
    xcb_destroy_window(m_connection, std::exchange(m_window, 0));
    xcb_flush(m_connection);
}

void EarlySplash::keep(const QWindow &window, const QImage &frame)
{
    // The splash's place on the screen and its size, in the server's pixels.
    const auto id = xcb_window_t(window.winId());
    const auto geometryCookie = xcb_get_geometry(m_connection, id);
    const auto placeCookie = xcb_translate_coordinates(m_connection, id, m_screen->root, 0, 0);
    const auto geometry = reply(xcb_get_geometry_reply(m_connection, geometryCookie, nullptr));
    const auto place = reply(xcb_translate_coordinates_reply(m_connection, placeCookie, nullptr));
    if (!geometry || !place || frame.width() != geometry->width || frame.height() != geometry->height ||
        m_fingerprint.size() != FingerprintSize) {
        QFile::remove(m_keptFile); // what is kept would not match
        return;
    }

    Kept kept{};
    std::memcpy(kept.magic, Magic, sizeof Magic);
    std::memcpy(kept.fingerprint, m_fingerprint.constData(), FingerprintSize);
    kept.x = place->dst_x, kept.y = place->dst_y, kept.width = frame.width(), kept.height = frame.height();
    const QImage rgb = frame.convertToFormat(QImage::Format_RGB32);
    QByteArray bytes(reinterpret_cast<const char *>(&kept), sizeof kept);
    bytes.reserve(qsizetype(sizeof kept) + qsizetype(rgb.width()) * rgb.height() * 4);
    for (int y = 0; y < rgb.height(); ++y)
        bytes.append(reinterpret_cast<const char *>(rgb.constScanLine(y)), qsizetype(rgb.width()) * 4);

    QFile old(m_keptFile);
    if (old.size() == bytes.size() && old.open(QIODevice::ReadOnly) && old.readAll() == bytes)
        return; // kept already
    QDir().mkpath(QFileInfo(m_keptFile).path());
    QSaveFile file(m_keptFile);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size())
        file.commit();
}

} // namespace vrim
