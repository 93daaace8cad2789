#include "stopwatch/StopwatchWindow.h"

#include "base/WindowNames.h"
#include "help/HelpPage.h"
#include "platform/Platform.h"
#include "platform/SecondTicker.h"
#include "ui/ClickLabel.h"
#include "ui/Colours.h"
#include "ui/Controls.h"
#include "ui/Fonts.h"
#include "ui/WidgetWindow.h"

#include <QCursor>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include <ctime>

// Off unless asked for (QT_LOGGING_RULES="vrim.stopwatch.info=true"): what the window shows,
// read back from its controls, one line whenever it changes. The end-to-end test reads it.
Q_LOGGING_CATEGORY(lcStopwatch, "vrim.stopwatch", QtWarningMsg)
// Off unless asked for: the longest the event loop kept a 10 ms timer waiting, once a second.
Q_LOGGING_CATEGORY(lcWatchdog, "vrim.watchdog", QtWarningMsg)

namespace vrim {
namespace {

constexpr int Width = 400;
constexpr int Height = 300;
constexpr int ColumnWidth = 185;
constexpr int BoxLeft = 62;

QLabel *makeBox(QWidget *parent, const QString &name, const QRect &place)
{
    QLabel *box = makeLabel(parent, name, place, QString());
    box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    box->setAutoFillBackground(true);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    box->setPalette(palette);
    return box;
}

QLineEdit *makeStamp(QWidget *parent, const QString &name, const QRect &place)
{
    QLineEdit *stamp = makeShowingField(parent, name, place);
    stamp->setFocusPolicy(Qt::NoFocus);
    return stamp;
}

void setIfChanged(QLineEdit *edit, const QString &text)
{
    if (edit->text() != text)
        edit->setText(text);
}

// The menu button's picture: three bars, drawn so it stays sharp at any scale.
QPixmap menuPicture(int size, qreal scale)
{
    QPixmap picture(QSize(size, size) * scale);
    picture.setDevicePixelRatio(scale);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(69, 82, 110), 2.0, Qt::SolidLine, Qt::RoundCap));
    for (int bar = 0; bar < 3; ++bar) {
        const qreal y = size / 2.0 + (bar - 1) * 5.0;
        painter.drawLine(QPointF(5, y), QPointF(size - 5, y));
    }
    return picture;
}

QString describe(const QString &title, const QLabel *clock, const QPushButton *button,
                 const QLineEdit *started, const QLineEdit *stopped, const QLabel *hours,
                 const QLabel *minutes, const QLabel *seconds)
{
    return QStringLiteral("%1: clock '%2' button '%3'%4 started '%5' stopped '%6' boxes '%7' '%8' '%9'")
        .arg(title, clock->text(), button->text(), button->isEnabled() ? QString() : QStringLiteral(" (off)"),
             started->text(), stopped->text(), hours->text(), minutes->text(), seconds->text());
}

} // namespace

StopwatchWindow::StopwatchWindow(WindowRegistry &registry, Platform &platform, SecondTicker &ticker)
    : VrimWindow(registry, window::Stopwatch,
                 Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                     Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_model(platform.time())
    , m_ticker(&ticker)
    , m_ops(this)
{
    setWindowTitle(window::Stopwatch);
    setFixedSize(Width, Height);
    move(200, 100);
    setFont(defaultWindowFont()); // the fixed layout's measure, whatever the desktop's font

    m_menuButton = new ClickLabel(this);
    m_menuButton->setObjectName(QStringLiteral("Picture3"));
    m_menuButton->setGeometry(8, 8, 24, 24);
    m_menuButton->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_menuButton->setToolTip(QStringLiteral("Preferences"));
    m_menuButton->setControlRole(ClickLabel::Role::MenuButton);
    m_menuButton->setAlignment(Qt::AlignCenter);
    m_menuButton->setPixmap(menuPicture(20, screen()->devicePixelRatio())); // sharp on a dense screen
    connect(m_menuButton, &ClickLabel::buttonDown, this, [this] { popUpMenu(); });

    m_onTop = new ClickLabel(this);
    m_onTop->setObjectName(QStringLiteral("Picture4"));
    m_onTop->setGeometry(36, 8, 24, 24);
    m_onTop->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_onTop->setToolTip(QStringLiteral("OnTop"));
    m_onTop->setControlRole(ClickLabel::Role::CheckBox);
    m_onTop->setAutoFillBackground(true);
    connect(m_onTop, &ClickLabel::buttonDown, this, &StopwatchWindow::pressOnTopButton);

    static const char *const firstNames[8] = {"Label4", "Atime",   "SDisplay", "FDisplay",
                                              "Horas",  "minutos", "segundos", "Command1"};
    static const char *const secondNames[8] = {"Label8", "Atimee",   "SgDisplay", "FgDisplay",
                                               "Horass", "minutoss", "segundoss", "Command2"};
    m_first = makeColumn(10, QStringLiteral("Reference 1"), firstNames);
    m_second = makeColumn(205, QStringLiteral("Reference 2"), secondNames);
    connect(m_first.button, &QPushButton::clicked, this, [this] {
        m_model.clickFirst();
        showState();
    });
    connect(m_second.button, &QPushButton::clicked, this, [this] {
        m_model.clickSecond();
        showState();
    });

    m_both = new QPushButton(this);
    m_both->setObjectName(QStringLiteral("Command3"));
    m_both->setGeometry(110, 264, 180, 28);
    connect(m_both, &QPushButton::clicked, this, [this] {
        m_model.clickBoth();
        showState();
    });

    if (m_ops.canKeepOnTop())
        m_ops.keepOnTop();
    else
        m_model.toggleOnTop(); // to OFF: nothing keeps this window on top
    m_subscription = ticker.subscribe([this] { pass(); });
    if (lcWatchdog().isInfoEnabled())
        watchEventLoop();
    showState();
}

StopwatchWindow::~StopwatchWindow()
{
    if (m_ticker)
        m_ticker->unsubscribe(m_subscription);
}

StopwatchWindow::Column StopwatchWindow::makeColumn(int left, const QString &title,
                                                    const char *const names[8])
{
    const auto name = [names](int i) { return QString::fromLatin1(names[i]); };
    const auto row = [left](int top) { return QRect(left + BoxLeft, top, ColumnWidth - BoxLeft, 22); };
    const auto caption = [this, left](int top, const QString &text) {
        makeLabel(this, QStringLiteral("lbl") + text + QString::number(left),
                  QRect(left, top, BoxLeft - 4, 22), text);
    };
    // A screen reader says which column and row a box or stamp is; its value is its words.
    const auto tell = [&title](QWidget *shown, const QString &what) {
        shown->setAccessibleDescription(title + QLatin1Char(' ') + what);
    };
    Column column;
    QLabel *heading = makeLabel(this, name(0), QRect(left, 38, ColumnWidth, 18), title);
    heading->setFont(windowFont(QStringLiteral("MS Sans Serif"), 8.25, true));
    column.clock = makeLabel(this, name(1), QRect(left, 58, ColumnWidth, 18), QString());
    caption(82, QStringLiteral("Started"));
    column.started = makeStamp(this, name(2), row(82));
    caption(108, QStringLiteral("Stopped"));
    column.stopped = makeStamp(this, name(3), row(108));
    caption(140, QStringLiteral("Hours"));
    column.hours = makeBox(this, name(4), row(140));
    caption(166, QStringLiteral("Minutes"));
    column.minutes = makeBox(this, name(5), row(166));
    caption(192, QStringLiteral("Seconds"));
    column.seconds = makeBox(this, name(6), row(192));
    column.started->setAccessibleName(title + QStringLiteral(" Started"));
    column.stopped->setAccessibleName(title + QStringLiteral(" Stopped"));
    tell(column.clock, QStringLiteral("time of day"));
    tell(column.hours, QStringLiteral("Hours"));
    tell(column.minutes, QStringLiteral("Minutes"));
    tell(column.seconds, QStringLiteral("Seconds"));
    column.button = new QPushButton(this);
    column.button->setObjectName(name(7));
    column.button->setGeometry(left, 226, ColumnWidth, 28);
    return column;
}

void StopwatchWindow::unloading()
{
    if (m_ticker)
        m_ticker->unsubscribe(m_subscription);
    m_watchdog.stop();
    // However it is closed, the launcher comes back.
    registry().show(window::Launcher);
}

void StopwatchWindow::pass()
{
    m_model.pass();
    showState();
}

void StopwatchWindow::pressOnTopButton()
{
    if (!m_ops.canKeepOnTop())
        return; // the compositor decides; the button keeps saying the window is not on top
    if (m_model.toggleOnTop())
        m_ops.keepOnTop();
    else
        m_ops.releaseFromTop();
    showState();
    registry().noteChanged(windowName());
}

bool StopwatchWindow::staysOnTop() const { return m_model.onTopColour() == stopwatch::OnTopOn; }

void StopwatchWindow::setStaysOnTop(bool onTop)
{
    if (staysOnTop() != onTop)
        pressOnTopButton();
}

void StopwatchWindow::showState()
{
    const auto show = [this](Column &column, const stopwatch::Watch &watch, bool enabled) {
        column.clock->setText(m_model.clockText());
        setIfChanged(column.started, watch.startStamp);
        setIfChanged(column.stopped, watch.stopStamp);
        column.hours->setText(watch.hoursText());
        column.minutes->setText(watch.minutesText());
        column.seconds->setText(watch.secondsText());
        column.button->setText(watch.caption);
        column.button->setEnabled(enabled);
    };
    show(m_first, m_model.first(), true);
    show(m_second, m_model.second(), m_model.secondEnabled());
    m_both->setText(m_model.bothCaption());
    m_both->setEnabled(m_model.bothEnabled());

    const QColor onTop = toQColor(m_model.onTopColour());
    if (m_onTop->palette().color(QPalette::Window) != onTop) {
        QPalette palette = m_onTop->palette();
        palette.setColor(QPalette::Window, onTop);
        m_onTop->setPalette(palette);
    }
    m_onTop->setChecked(m_model.onTopColour() == stopwatch::OnTopOn);

    if (lcStopwatch().isInfoEnabled()) {
        const QString line =
            describe(QStringLiteral("Reference 1"), m_first.clock, m_first.button, m_first.started,
                     m_first.stopped, m_first.hours, m_first.minutes, m_first.seconds) +
            QStringLiteral(" | ") +
            describe(QStringLiteral("Reference 2"), m_second.clock, m_second.button, m_second.started,
                     m_second.stopped, m_second.hours, m_second.minutes, m_second.seconds) +
            QStringLiteral(" | '%1'%2")
                .arg(m_both->text(), m_both->isEnabled() ? QString() : QStringLiteral(" (off)"));
        if (line != m_logged) {
            m_logged = line;
            qCInfo(lcStopwatch).noquote() << line;
        }
    }
}

std::unique_ptr<QMenu> StopwatchWindow::makeMenu()
{
    auto menu = std::make_unique<QMenu>(QStringLiteral("Menu"), this);
    menu->setObjectName(QStringLiteral("menumnu"));
    const auto item = [&menu](const char *name, const char *caption) {
        QAction *action = menu->addAction(QString::fromLatin1(caption));
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    item("Helpmnu", "Help");
    item("aboutmnu", "About");
    item("Exitmnu", "Exit");
    return menu;
}

void StopwatchWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Menu ||
        (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier)) {
        event->accept();
        popUpMenu(m_menuButton->mapToGlobal(QPoint(0, m_menuButton->height())));
        return;
    }
    VrimWindow::keyPressEvent(event);
}

void StopwatchWindow::popUpMenu(std::optional<QPoint> at)
{
    const std::unique_ptr<QMenu> menu = makeMenu();
    QPointer<StopwatchWindow> self(this);
    QAction *chosen = menu->exec(at.value_or(QCursor::pos()));
    if (chosen && self)
        chooseMenuItem(chosen->objectName());
}

void StopwatchWindow::chooseMenuItem(const QString &name)
{
    if (name == u"Helpmnu") {
        moveToHelpPlace();
        registry().show(window::HelpPage);
        if (auto *help = dynamic_cast<WidgetWindow *>(registry().window(window::HelpPage));
            help && help->widget())
            help->widget()->move(twipsToPixels(1620), twipsToPixels(900));
        showHelpPage(registry(), QStringLiteral("ganto"));
    } else if (name == u"aboutmnu") {
        moveToHelpPlace();
        registry().show(window::About);
        if (auto *about = dynamic_cast<WidgetWindow *>(registry().window(window::About));
            about && about->widget())
            about->widget()->move(twipsToPixels(1100), twipsToPixels(2500));
    } else if (name == u"Exitmnu") {
        registry().unload(windowName()); // its closing shows the launcher
    }
}

// Out of the way of the help and about windows, which open at the left.
void StopwatchWindow::moveToHelpPlace() { move(twipsToPixels(7000), y()); }

void StopwatchWindow::watchEventLoop()
{
    // Between two of its wake-ups the loop is late either because it was busy with our work or
    // because the machine gave the thread no time. The thread's own CPU time tells them apart.
    const auto threadCpuUs = [] {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return qint64(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
    };
    m_watchdog.setTimerType(Qt::PreciseTimer);
    m_watchdog.setInterval(10);
    m_watchdogClock.start();
    m_watchdogCpuLast = threadCpuUs();
    connect(&m_watchdog, &QTimer::timeout, this, [this, threadCpuUs] {
        const qint64 now = m_watchdogClock.elapsed();
        const qint64 cpu = threadCpuUs();
        m_watchdogWorst = std::max(m_watchdogWorst, now - m_watchdogLast - 10);
        m_watchdogBusiest = std::max(m_watchdogBusiest, cpu - m_watchdogCpuLast);
        m_watchdogLast = now;
        m_watchdogCpuLast = cpu;
        if (now - m_watchdogSince >= 1000) {
            qCInfo(lcWatchdog, "longest block %lld ms, busiest gap %.3f ms of CPU",
                   static_cast<long long>(std::max<qint64>(0, m_watchdogWorst)),
                   double(m_watchdogBusiest) / 1000.0);
            m_watchdogWorst = 0;
            m_watchdogBusiest = 0;
            m_watchdogSince = now;
        }
    });
    m_watchdog.start();
}

} // namespace vrim
