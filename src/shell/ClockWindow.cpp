#include "shell/ClockWindow.h"

#include "shell/ClickArea.h"
#include "shell/ClockFrame.h"
#include "shell/Colours.h"
#include "shell/WindowNames.h"

#include <QCursor>
#include <QMenu>
#include <QPointer>

namespace vrim {
namespace {

// The window an item opens, where it opens one; such an item waits until this build has it.
QString targetOf(const FrameDesign &design, const QString &item)
{
    if (item == design.helpItem)
        return window::HelpPage;
    if (item == design.skinItem)
        return design.skinManager;
    if (item == design.aboutItem)
        return window::About;
    return {};
}

ClockWindow::ItemState stateOf(const MenuItem &item, const ClockFrame &frame,
                              const WindowRegistry &registry)
{
    ClockWindow::ItemState state{item.caption};
    const QString target = targetOf(frame.design(), item.name);
    state.enabled = target.isEmpty() || registry.isDefined(target);
    if (item.name == u"SoundOn")
        state.checked = frame.soundMenu().soundOn;
    else if (item.name == u"SoundOff")
        state.checked = frame.soundMenu().soundOff;
    return state;
}

void collect(const std::vector<MenuItem> &items, const ClockFrame &frame, const WindowRegistry &registry,
             std::vector<std::pair<QString, ClockWindow::ItemState>> &out)
{
    for (const MenuItem &item : items) {
        out.emplace_back(item.name, stateOf(item, frame, registry));
        collect(item.children, frame, registry, out);
    }
}

void fill(QMenu &menu, const std::vector<MenuItem> &items, const ClockFrame &frame,
          const WindowRegistry &registry)
{
    for (const MenuItem &item : items) {
        if (item.caption == u"-") {
            menu.addSeparator();
            continue;
        }
        if (!item.children.empty()) {
            QMenu *sub = menu.addMenu(item.caption);
            sub->setObjectName(item.name);
            fill(*sub, item.children, frame, registry);
            continue;
        }
        const ClockWindow::ItemState state = stateOf(item, frame, registry);
        QAction *action = menu.addAction(item.caption);
        action->setObjectName(item.name);
        action->setEnabled(state.enabled);
        if (item.name == u"SoundOn" || item.name == u"SoundOff") {
            action->setCheckable(true);
            action->setChecked(state.checked);
        }
    }
}

} // namespace

ClockWindow::ClockWindow(WindowRegistry &registry, const FrameDesign &design)
    : VrimWindow(registry, design.window, Qt::Tool | Qt::FramelessWindowHint)
    , m_design(design)
    , m_ops(this)
{
    const QRect place = twipsRect(design.twips.x(), design.twips.y(), design.twips.width(),
                                  design.twips.height());
    setGeometry(place);
    setFixedSize(place.size());
    setWindowTitle(design.window);
}

ClickLabel *ClockWindow::addButton(const QRect &twips, const QString &tip)
{
    auto *button = new ClickLabel(this);
    button->setGeometry(twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    button->setToolTip(tip);
    button->setAutoFillBackground(true);
    button->setFrameShape(QFrame::Box);
    button->setLineWidth(1);
    return button;
}

void ClockWindow::paintButton(ClickLabel *button, ColourValue colour)
{
    QPalette palette = button->palette();
    if (palette.color(QPalette::Window) == toQColor(colour))
        return;
    palette.setColor(QPalette::Window, toQColor(colour));
    palette.setColor(QPalette::WindowText, toQColor(colour).darker(160));
    button->setPalette(palette);
}

void ClockWindow::bind(ClickLabel *control, ControlTrigger trigger, std::function<void()> action)
{
    switch (trigger.kind) {
    case ControlTrigger::Down:
        connect(control, &ClickLabel::buttonDown, this, [action](Qt::MouseButton) { action(); });
        break;
    case ControlTrigger::LeftDown:
        connect(control, &ClickLabel::buttonDown, this, [action](Qt::MouseButton button) {
            if (button == Qt::LeftButton)
                action();
        });
        break;
    case ControlTrigger::Click:
        connect(control, &ClickLabel::clicked, this, action);
        break;
    case ControlTrigger::DoubleClick:
        connect(control, &ClickLabel::doubleClicked, this, action);
        break;
    }
}

void ClockWindow::popUpMenu(ClockFrame &frame)
{
    QMenu menu(this);
    menu.setObjectName(m_design.menuName);
    fill(menu, m_design.menu, frame, registry());
    QPointer<ClockWindow> self(this);
    QAction *chosen = menu.exec(QCursor::pos());
    if (chosen && self)
        frame.chooseMenuItem(chosen->objectName());
}

std::vector<std::pair<QString, ClockWindow::ItemState>>
ClockWindow::menuItems(const ClockFrame &frame, const WindowRegistry &registry)
{
    std::vector<std::pair<QString, ItemState>> out;
    collect(frame.design().menu, frame, registry, out);
    return out;
}

} // namespace vrim
