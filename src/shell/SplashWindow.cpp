#include "shell/SplashWindow.h"

#include "BuildConfig.h"
#include "base/WindowNames.h"
#include "platform/Platform.h"
#include "shell/LauncherModel.h"
#include "ui/Artwork.h"
#include "ui/ClickLabel.h"
#include "ui/Colours.h"
#include "ui/Fonts.h"

#include <QGuiApplication>
#include <QLoggingCategory>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>

#include <ctime>
#include <utility>

Q_LOGGING_CATEGORY(lcStartup, "vrim.startup", QtWarningMsg)

namespace vrim {
namespace {

constexpr int FrameMs = 40;

QLabel *makeLabel(QWidget *parent, const QRect &geometry, const QString &text = {})
{
    auto *label = new QLabel(text, parent);
    label->setGeometry(geometry);
    return label;
}

} // namespace

SplashWindow::SplashWindow(WindowRegistry &registry, Platform &platform)
    : VrimWindow(registry, window::Splash, Qt::SplashScreen | Qt::FramelessWindowHint)
    , m_model(registry, platform, QString::fromLatin1(build::HomePage))
    , m_art(QPixmap::fromImage(loadArtwork(QStringLiteral(":/artwork/splash.png"), devicePixelRatioF())))
{
    setWindowTitle(QString::fromLatin1(build::ProgramName));
    setFixedSize(twipsToPixels(6750), twipsToPixels(4275));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    setPalette(white);
    setAutoFillBackground(true);

    m_countdown = makeLabel(this, twipsRect(2880, 3780, 285, 285));
    m_countdown->setFont(windowFont(QStringLiteral("Arial Rounded MT Bold"), 11.25, true));
    m_countdown->setAlignment(Qt::AlignCenter);
    m_countdown->setAutoFillBackground(true);

    m_notice = makeLabel(this, twipsRect(255, 2880, 5205, 285));
    m_version = makeLabel(this, twipsRect(210, 1170, 1035, 315),
                          QStringLiteral("Version %1.%2").arg(build::VersionMajor).arg(build::VersionMinor));

    m_link = makeLinkLabel(this, QStringLiteral("Vrim Clocks Web Site"), twipsRect(675, 3825, 2025, 225));
    connect(m_link, &ClickLabel::clicked, this, [this] { m_model.openHomePage(); });

    m_quit = new QPushButton(QStringLiteral("Quit"), this);
    m_quit->setGeometry(twipsRect(3510, 3720, 1365, 375));
    connect(m_quit, &QPushButton::clicked, this, [this] { m_model.quit(); });

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    m_frames.setInterval(FrameMs);
    connect(&m_frames, &QTimer::timeout, this, [this] { update(AnimationRect); });

    connect(&m_model, &SplashModel::changed, this, &SplashWindow::refresh);
    m_model.load();
}

void SplashWindow::refresh()
{
    m_notice->setText(m_model.noticeText());
    m_countdown->setText(m_model.countdownText());
}

void SplashWindow::showEvent(QShowEvent *event)
{
    VrimWindow::showEvent(event);
    m_frames.start();
}

void SplashWindow::hideEvent(QHideEvent *event)
{
    m_frames.stop();
    VrimWindow::hideEvent(event);
}

void SplashWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform); // a twice-size twin at scale 1.5
    if (!m_art.isNull())
        painter.drawPixmap(rect(), m_art);
    painter.setPen(QColor(96, 96, 96));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    paintAnimation(painter);

    if (!m_painted) {
        m_painted = true;
        m_clock.start(); // the hand leaves twelve once the splash shows
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        qCInfo(lcStartup, "splash painted at monotonic %lld.%09ld", static_cast<long long>(now.tv_sec),
               now.tv_nsec);
        Q_EMIT firstPainted();
    }
}

QImage SplashWindow::firstFrame()
{
    const qreal ratio = devicePixelRatioF();
    QImage frame(size() * ratio, QImage::Format_RGB32);
    frame.setDevicePixelRatio(ratio);
    const QElapsedTimer running = std::exchange(m_clock, QElapsedTimer());
    render(&frame);
    m_clock = running;
    return frame;
}

// A small clock whose hand sweeps once every 2.4 s, lighting the twelve marks in the launcher's
// colours as it passes them.
void SplashWindow::paintAnimation(QPainter &painter) const
{
    const double turn = m_clock.isValid() ? double(m_clock.elapsed() % 2400) / 2400.0 : 0.0;
    const QPointF centre = QRectF(AnimationRect).center();
    const double radius = AnimationRect.width() / 2.0 - 6;

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(70, 70, 90), 2));
    painter.setBrush(QColor(250, 250, 255));
    painter.drawEllipse(centre, radius, radius);

    const auto bars = launcher::entries();
    for (int mark = 0; mark < 12; ++mark) {
        const double angle = mark * M_PI / 6.0;
        const QPointF at(centre.x() + std::sin(angle) * (radius - 11),
                         centre.y() - std::cos(angle) * (radius - 11));
        const double behind = std::fmod(turn * 12.0 - mark + 12.0, 12.0); // marks since the hand passed
        const auto fill = bars[size_t(mark % 10)].fill;
        QColor colour = fill ? toQColor(*fill) : QColor(Qt::gray);
        colour.setAlphaF(float(std::max(0.15, 1.0 - behind / 6.0)));
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawEllipse(at, 6.0, 6.0);
    }

    const double hand = turn * 2.0 * M_PI;
    painter.setPen(QPen(QColor(40, 40, 60), 3, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre, QPointF(centre.x() + std::sin(hand) * (radius - 22),
                                     centre.y() - std::cos(hand) * (radius - 22)));
    painter.setBrush(QColor(40, 40, 60));
    painter.drawEllipse(centre, 4.0, 4.0);
    painter.restore();
}

} // namespace vrim
