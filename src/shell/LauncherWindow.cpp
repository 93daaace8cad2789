#include "shell/LauncherWindow.h"

#include "base/WindowNames.h"
#include "shell/LauncherModel.h"
#include "ui/Artwork.h"
#include "ui/ClickLabel.h"
#include "ui/Colours.h"
#include "ui/Fonts.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QPainter>

namespace vrim {
namespace {

constexpr int LabelInset = 5;

QString barName(const QString &label) { return QStringLiteral("bar:") + label; }
QString labelName(const QString &label) { return QStringLiteral("label:") + label; }

} // namespace

LauncherWindow::LauncherWindow(WindowRegistry &registry, QMenu *menu)
    : VrimWindow(registry, window::Launcher,
                 Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_background(
          QPixmap::fromImage(loadArtwork(QStringLiteral(":/artwork/launcher.png"), devicePixelRatioF())))
    , m_menu(menu)
{
    setWindowTitle(launcher::Caption);
    setGeometry(launcher::ClientRect);
    for (const LauncherEntry &entry : launcher::entries())
        addEntry(entry);
}

void LauncherWindow::addEntry(const LauncherEntry &entry)
{
    const QRect geometry =
        twipsRect(entry.twips.x(), entry.twips.y(), entry.twips.width(), entry.twips.height());
    auto *bar = new ClickLabel(this);
    bar->setObjectName(barName(entry.label));
    bar->setGeometry(geometry);
    // Tab reaches the bars in order, and Enter or Space uses one as a click does.
    bar->setControlRole(ClickLabel::Role::Button);
    bar->setAccessibleName(entry.isHelp ? QStringLiteral("Help") : entry.label);
    bar->setFocusPolicy(Qt::TabFocus);
    if (entry.isHelp) {
        bar->setPixmap(
            QPixmap::fromImage(loadArtwork(QStringLiteral(":/artwork/help-entry.png"), devicePixelRatioF())));
        bar->setScaledContents(true);
    } else {
        QPalette fill = bar->palette();
        fill.setColor(QPalette::Window,
                      entry.fill ? toQColor(*entry.fill) : palette().color(QPalette::Button));
        bar->setPalette(fill);
        bar->setAutoFillBackground(true);
    }

    auto *label = new ClickLabel(bar);
    label->setObjectName(labelName(entry.label));
    label->setText(entry.label);
    QPalette ink = label->palette();
    if (entry.ink == LabelInk::Custom)
        ink.setColor(QPalette::WindowText, toQColor(entry.inkColour));
    else if (entry.ink == LabelInk::HighlightText)
        ink.setColor(QPalette::WindowText, palette().color(QPalette::HighlightedText));
    else
        ink.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(ink);
    if (entry.isHelp) {
        label->setFont(windowFont(QStringLiteral("MS Sans Serif"), 8.25, true));
        label->setWordWrap(true); // one letter under the other in the narrow picture
        label->setAlignment(Qt::AlignCenter);
        const int width = label->fontMetrics().horizontalAdvance(QStringLiteral("W")) + 2;
        const int height = label->heightForWidth(width);
        label->setGeometry((geometry.width() - width) / 2, (geometry.height() - height) / 2, width, height);
    } else {
        label->adjustSize();
        label->move(LabelInset, (geometry.height() - label->height()) / 2);
    }

    for (const auto &[part, area] : {std::pair{EntryPart::Bar, bar}, std::pair{EntryPart::Label, label}}) {
        const Gesture gesture = launcher::gestureOf(entry, part);
        // Entries are static data, so the pointer stays valid as long as the program runs.
        const LauncherEntry *target = &entry;
        const auto use = [this, target, part] { launcher::activate(registry(), *target, part); };
        if (gesture == Gesture::ButtonDown)
            connect(area, &ClickLabel::buttonDown, this, use);
        else
            connect(area, &ClickLabel::clicked, this, use);
    }
}

ClickLabel *LauncherWindow::bar(const QString &label) const
{
    return findChild<ClickLabel *>(barName(label));
}

ClickLabel *LauncherWindow::label(const QString &label) const
{
    return findChild<ClickLabel *>(labelName(label));
}

void LauncherWindow::contextMenuEvent(QContextMenuEvent *event)
{
    if (!m_menu)
        return;
    event->accept();
    m_menu->popup(event->globalPos());
}

void LauncherWindow::keyPressEvent(QKeyEvent *event)
{
    // The Menu key and Shift+F10 open the menu at the entry that has the focus.
    const bool menuKey = event->key() == Qt::Key_Menu ||
                         (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier);
    if (!menuKey || !m_menu) {
        VrimWindow::keyPressEvent(event);
        return;
    }
    event->accept();
    const QWidget *at = focusWidget() ? focusWidget() : this;
    m_menu->popup(at->mapToGlobal(at->rect().center()));
}

void LauncherWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform); // a twice-size twin at scale 1.5
    if (m_background.isNull())
        painter.fillRect(rect(), palette().color(QPalette::Window));
    else
        painter.drawPixmap(rect(), m_background);
}

} // namespace vrim
