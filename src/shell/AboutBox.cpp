#include "shell/AboutBox.h"

#include "BuildConfig.h"
#include "base/WindowNames.h"
#include "platform/Platform.h"
#include "shell/LauncherModel.h"
#include "ui/ClickLabel.h"
#include "ui/Colours.h"
#include "ui/Controls.h"
#include "ui/Fonts.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

#include <algorithm>
#include <cmath>
#include <functional>

namespace vrim {
namespace {

const QColor Slate(69, 82, 110); // the launcher's panel

// A picture drawn in code, so it stays sharp at any screen scale.
class Picture final : public QWidget {
public:
    using Painter = std::function<void(QPainter &, const QRectF &)>;
    Picture(QWidget *parent, const QString &name, const QRect &geometry, Painter paint)
        : QWidget(parent)
        , m_paint(std::move(paint))
    {
        setObjectName(name);
        setGeometry(geometry);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        m_paint(painter, QRectF(rect()));
    }

private:
    Painter m_paint;
};

// The program's icon: a round face in the launcher's slate, its hours marked in the colours of
// the launcher's bars, the hands at ten past ten so it seems to smile.
void paintIcon(QPainter &painter, const QRectF &area)
{
    const QPointF centre = area.center();
    const double radius = std::min(area.width(), area.height()) / 2.0 - 1.5;
    painter.setPen(Qt::NoPen);
    painter.setBrush(Slate);
    painter.drawEllipse(centre, radius, radius);
    painter.setBrush(QColor(250, 250, 255));
    painter.drawEllipse(centre, radius - 5, radius - 5);

    const auto bars = launcher::entries();
    for (int mark = 0; mark < 12; ++mark) {
        const double angle = mark * M_PI / 6.0;
        const double reach = radius - 10;
        const auto fill = bars[size_t(mark % 10)].fill;
        painter.setBrush(fill ? toQColor(*fill) : QColor(Qt::gray));
        painter.drawEllipse(
            QPointF(centre.x() + std::sin(angle) * reach, centre.y() - std::cos(angle) * reach),
            mark % 3 == 0 ? 3.0 : 2.0, mark % 3 == 0 ? 3.0 : 2.0);
    }

    const auto hand = [&](double turns, double length, double width) {
        const double angle = turns * 2.0 * M_PI;
        painter.setPen(QPen(QColor(40, 40, 60), width, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(
            centre, QPointF(centre.x() + std::sin(angle) * length, centre.y() - std::cos(angle) * length));
    };
    hand((10 + 10 / 60.0) / 12.0, radius * 0.45, 3.0);
    hand(10 / 60.0, radius * 0.65, 2.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 40, 60));
    painter.drawEllipse(centre, 2.5, 2.5);
}

// The title on its white card: the name in bold slate letters over a soft shadow, with a line of
// the launcher's colours underneath.
void paintTitle(QPainter &painter, const QRectF &area)
{
    painter.fillRect(area, Qt::white);
    painter.setPen(QColor(160, 160, 160));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area.adjusted(0.5, 0.5, -0.5, -0.5));

    QFont font = windowFont(QStringLiteral("Arial Rounded MT Bold"), 8, true);
    font.setPixelSize(qRound(area.height() * 0.58));
    font.setLetterSpacing(QFont::PercentageSpacing, 104);
    QPainterPath text;
    text.addText(0, 0, font, QString::fromLatin1(build::ProgramName));
    const QRectF bounds = text.boundingRect();
    const QPointF at(area.center().x() - bounds.center().x(),
                     area.top() + area.height() * 0.44 - bounds.center().y());
    text.translate(at);

    painter.fillPath(text.translated(1.5, 1.5), QColor(0, 0, 0, 50));
    QLinearGradient ink(0, area.top(), 0, area.bottom());
    ink.setColorAt(0.0, Slate.lighter(140));
    ink.setColorAt(0.7, Slate);
    painter.fillPath(text, ink);

    const auto bars = launcher::entries();
    const double left = at.x() + bounds.left();
    const double width = bounds.width() / 10.0;
    const double top = area.bottom() - area.height() * 0.2;
    for (size_t bar = 0; bar < 10; ++bar) {
        if (const auto fill = bars[bar].fill)
            painter.fillRect(QRectF(left + double(bar) * width, top, width, 3), toQColor(*fill));
    }
}

QLabel *makeTextLabel(QWidget *parent, const QString &name, const QRect &geometry, const QString &text,
                      bool wrap = false)
{
    QLabel *label = makeLabel(parent, name, geometry, text);
    label->setWordWrap(wrap);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QWidget *makeLine(QWidget *parent, const QString &name, const QRect &geometry, const QColor &colour)
{
    auto *line = new QWidget(parent);
    line->setObjectName(name);
    line->setGeometry(geometry);
    QPalette fill = line->palette();
    fill.setColor(QPalette::Window, colour);
    line->setPalette(fill);
    line->setAutoFillBackground(true);
    return line;
}

} // namespace

AboutBox::AboutBox(WindowRegistry &registry, Platform &platform, about::FindOnPath findOnPath)
    : VrimWindow(registry, window::About,
                 Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_platform(platform)
    , m_findOnPath(std::move(findOnPath))
{
    setWindowTitle(about::caption(QString::fromLatin1(build::ProgramName)));
    openInFront();
    setFixedSize(twipsToPixels(5730), twipsToPixels(3555));
    move(twipsToPixels(2340), twipsToPixels(1935));
    setFont(defaultWindowFont()); // the fixed layout's measure, whatever the desktop's font

    new Picture(this, QStringLiteral("picIcon"), twipsRect(90, 75, 870, 870), paintIcon);
    new Picture(this, QStringLiteral("Picture1"), twipsRect(1035, 75, 4590, 675), paintTitle);

    makeTextLabel(this, QStringLiteral("lblVersion"), twipsRect(1140, 885, 3885, 225),
                  about::versionText(QString::fromLatin1(build::Version)));
    makeTextLabel(this, QStringLiteral("lblDescription"), twipsRect(540, 1140, 3885, 240),
                  about::description());
    makeTextLabel(this, QStringLiteral("Label2"), twipsRect(540, 1830, 3480, 480), about::visitText(), true);

    // An etched rule: a grey line with a white one just below.
    const int left = twipsToPixels(90);
    const int width = twipsToPixels(5654) - left;
    makeLine(this, QStringLiteral("Line1(0)"), QRect(left, twipsToPixels(2445), width, 1),
             QColor(128, 128, 128));
    makeLine(this, QStringLiteral("Line1(1)"), QRect(left, twipsToPixels(2460), width, 2), Qt::white);

    ClickLabel *link = makeLinkLabel(this, about::linkText(), twipsRect(4005, 2340, 1575, 195));
    link->setObjectName(QStringLiteral("Label3"));
    // The link sits on the rule; it hides the rule behind it rather than being struck through.
    link->setAutoFillBackground(true);
    connect(link, &ClickLabel::clicked, this, [this] {
        // No browser is nothing to report from an about box.
        m_platform.shell().openPage(QString::fromLatin1(build::HomePage));
    });

    makeTextLabel(this, QStringLiteral("lblDisclaimer"), twipsRect(255, 2625, 3870, 795), about::disclaimer(),
                  true);

    m_ok = makeButton(this, QStringLiteral("cmdOK"), twipsRect(4245, 2625, 1260, 345), QStringLiteral("OK"));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, [this] { this->registry().unload(windowName()); });

    m_sysInfo = makeButton(this, QStringLiteral("cmdSysInfo"), twipsRect(4260, 3075, 1245, 345),
                           QStringLiteral("&System Info..."));
    connect(m_sysInfo, &QPushButton::clicked, this,
            [this] { about::startSysInfo(m_platform.shell(), m_platform.messages(), m_findOnPath); });

    m_ok->setFocus();
}

void AboutBox::keyPressEvent(QKeyEvent *event)
{
    // OK is both the default and the cancel button; keys a focused control did not use end here.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        event->accept();
        m_ok->click();
        return;
    default:
        VrimWindow::keyPressEvent(event);
    }
}

} // namespace vrim
