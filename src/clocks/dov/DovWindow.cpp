#include "clocks/dov/DovWindow.h"

#include "platform/Platform.h"
#include "platform/QtPlatform.h"
#include "platform/SecondTicker.h"
#include "settings/LocalFiles.h"
#include "shell/ClickArea.h"
#include "shell/Colours.h"
#include "shell/Fonts.h"

#include <QDir>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace vrim {
namespace {

constexpr ColourValue MinutesInk = rgbValue(224, 224, 224);
constexpr ColourValue MinutesBack = rgbValue(192, 192, 192);
const QRect CentreTwips(600, 780, 495, 495);
const QRect MinutesTwips(630, 840, 375, 375); // Label1, inside the centre box

QRect pixels(const QRect &twips) { return twipsRect(twips.x(), twips.y(), twips.width(), twips.height()); }

ColourValue buttonFace(const QWidget &widget)
{
    const QColor face = widget.palette().color(QPalette::Button);
    return rgbValue(face.red(), face.green(), face.blue());
}

} // namespace

DovWindow::DovWindow(WindowRegistry &registry, Platform &platform, SecondTicker &ticker,
                     const DataFolders &folders)
    : ClockWindow(registry, frame::dov())
    , m_platform(platform)
    , m_ticker(&ticker)
    , m_player(platform.makePlayer())
    , m_clock(folders, platform.time(), *m_player, windowOps(), registry, buttonFace(*this))
    , m_shown(m_clock.face())
{
    m_quit = addButton({450, 585, 255, 135}, QStringLiteral("Quit"));
    m_menu = addButton({1020, 570, 255, 135}, QStringLiteral("Preferences"));
    m_onTop = addButton({420, 1350, 255, 135}, QStringLiteral("onTop"));
    m_move = addButton({1020, 1350, 255, 135}, QStringLiteral("Move"));
    paintButton(m_quit, DovClock::QuitColour);
    paintButton(m_menu, DovClock::MenuColour);

    ClockFrame &frame = m_clock.frame();
    const FrameDesign &design = frame.design();
    bind(m_quit, *design.quitTrigger, [this] { m_clock.frame().useQuitControl(); });
    bind(m_menu, design.menuTrigger, [this] { popUpMenu(m_clock.frame()); });
    bind(m_onTop, {ControlTrigger::Down}, [this] {
        m_clock.frame().pressOnTopButton();
        showState(); // the button's colour, also when the toggle did nothing
    });
    bind(m_move, {ControlTrigger::Down}, [this] { m_clock.frame().pressMoveHandle(); });

    m_player->onCompleted([this] { m_clock.frame().playerCompleted(); });
    m_clock.onProblem([this](const QString &problem) { report(problem); });
    m_clock.onSkinChanged([this] { loadSkin(); });
    m_clock.onFaceReset([this] { showState(); });

    m_clock.load();
    showState();
    m_subscription = ticker.subscribe([this] { pass(); });
    m_clock.refresh().onRaised([this] {
        if (m_ticker)
            m_ticker->passSoon(m_subscription);
    });
}

DovWindow::~DovWindow()
{
    if (m_ticker)
        m_ticker->unsubscribe(m_subscription);
}

void DovWindow::unloading()
{
    // No pass may run between unloading and the widget's deletion: it could chime again.
    if (m_ticker)
        m_ticker->unsubscribe(m_subscription);
    m_clock.frame().closing();
}

void DovWindow::pass()
{
    m_clock.tick();
    showState();
}

void DovWindow::showState()
{
    paintButton(m_onTop, m_clock.frame().onTopColour());
    paintButton(m_move, m_clock.moveColour());
    if (!(m_clock.face() == m_shown)) {
        m_shown = m_clock.face();
        update();
    }
}

QFont DovWindow::minutesFont() { return windowFont(QStringLiteral("Courier New"), 15.75, true); }

QRect DovWindow::minutesRect() { return pixels(MinutesTwips); }

void DovWindow::loadSkin()
{
    const QString path = m_clock.skinPicture();
    QString problem;
    const QImage image = loadPicture(path, &problem);
    m_skin = image.isNull() ? QImage() : image.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (image.isNull())
        report(tr("The Dov clock cannot show its skin picture %1: %2. It shows a black face until "
                  "another picture is chosen in its Skin Manager.")
                   .arg(files::shortQuote(QDir::toNativeSeparators(path), 160), problem));
    // The picture is the last step of every load and reload.
    m_previousProblems = std::exchange(m_problems, {});
    update();
}

void DovWindow::report(const QString &problem)
{
    // Every reload reads the same files again: a fault already shown by the last one is not
    // shown again, and a box per reload would pile up while nothing changes.
    m_problems.append(problem);
    if (!m_previousProblems.contains(problem))
        m_platform.messages().warn(problem);
}

void DovWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black); // Frame1
    if (!m_skin.isNull())
        painter.drawImage(0, 0, m_skin);

    const DovFace &face = m_clock.face();
    const QColor outline(40, 40, 40);
    for (int i = 0; i < 12; ++i) {
        const QRect bar = pixels(DovFace::barTwips(i));
        painter.fillRect(bar, toQColor(face.bar(i)));
        painter.setPen(outline);
        painter.drawRect(bar.adjusted(0, 0, -1, -1));
    }
    for (int i = 0; i < 12; ++i) {
        const DovMarker &marker = face.marker(i);
        if (!marker.visible)
            continue;
        const QRect box = pixels(DovFace::markerTwips(i)) & pixels(DovFace::barTwips(i));
        painter.fillRect(box, toQColor(marker.colour));
        if (marker.border) {
            painter.setPen(Qt::black);
            painter.drawRect(box.adjusted(0, 0, -1, -1));
        }
    }

    const QRect centre = pixels(CentreTwips);
    painter.fillRect(centre, toQColor(face.faceColour()));
    painter.setPen(outline);
    painter.drawRect(centre.adjusted(0, 0, -1, -1));
    const QRect minutes = pixels(MinutesTwips);
    painter.fillRect(minutes, toQColor(MinutesBack));
    painter.setFont(minutesFont());
    painter.setPen(toQColor(MinutesInk));
    painter.drawText(minutes, Qt::AlignCenter, face.minutesText());
}

bool DovWindow::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return ClockWindow::event(event);
    const QPoint at = static_cast<QHelpEvent *>(event)->pos();
    const QPoint global = static_cast<QHelpEvent *>(event)->globalPos();
    QString tip;
    if (pixels(CentreTwips).contains(at))
        tip = QStringLiteral("Minutes");
    for (int i = 0; i < 12 && tip.isEmpty(); ++i)
        if (m_clock.face().marker(i).visible && pixels(DovFace::markerTwips(i)).contains(at))
            tip = DovFace::markerTip(i);
    for (int i = 0; i < 12 && tip.isEmpty(); ++i)
        if (pixels(DovFace::barTwips(i)).contains(at))
            tip = DovFace::barTip(i);
    if (tip.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(global, tip, this);
    return true;
}

} // namespace vrim
