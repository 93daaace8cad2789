#include "clocks/ClockWindow.h"

#include "clocks/Designs.h"
#include "clocks/FacePainter.h"
#include "platform/LocalFiles.h"
#include "platform/Platform.h"
#include "platform/QtPlatform.h"
#include "platform/SecondTicker.h"
#include "ui/Accessible.h"
#include "ui/Artwork.h"
#include "ui/ClickLabel.h"
#include "ui/Colours.h"
#include "ui/SpokenText.h"

#include <QCoreApplication>
#include <QDir>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QToolTip>

namespace vrim {
namespace {

ColourValue buttonFace(const QWidget &widget)
{
    const QColor face = widget.palette().color(QPalette::Button);
    return rgbValue(face.red(), face.green(), face.blue());
}

// What the window shows in place of a picture it cannot show, as its message says: the colour
// under the picture on the design's face, as its card words it.
QString shownWithout(Design design, int slot)
{
    const char *text = cardOf(design).withoutPicture[size_t(slot)];
    return text ? QCoreApplication::translate("vrim::ClockWindow", text)
                : QObject::tr("It shows its face without it.");
}

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

ClockWindow::ItemState stateOf(const MenuItem &item, const ClockFrame &frame, const WindowRegistry &registry)
{
    ClockWindow::ItemState state{item.caption};
    const QString target = targetOf(frame.design(), item.name);
    state.enabled = target.isEmpty() || registry.isDefined(target);
    state.checked = frame.isChecked(item.name).value_or(false);
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
        if (frame.isChecked(item.name)) {
            action->setCheckable(true);
            action->setChecked(state.checked);
        }
    }
}

// Runs `action` when the control sees the gesture the design gives it.
void bindTrigger(ClickLabel *control, ControlTrigger trigger, const std::function<void()> &action)
{
    switch (trigger.kind) {
    case ControlTrigger::Down:
        QObject::connect(control, &ClickLabel::buttonDown, control, [action](Qt::MouseButton) { action(); });
        break;
    case ControlTrigger::LeftDown:
        QObject::connect(control, &ClickLabel::buttonDown, control, [action](Qt::MouseButton button) {
            if (button == Qt::LeftButton)
                action();
        });
        break;
    case ControlTrigger::Click:
        QObject::connect(control, &ClickLabel::clicked, control, action);
        break;
    case ControlTrigger::DoubleClick:
        QObject::connect(control, &ClickLabel::doubleClicked, control, action);
        break;
    }
}

void paintButton(QWidget *button, ColourValue colour)
{
    QPalette palette = button->palette();
    if (palette.color(QPalette::Window) == toQColor(colour) &&
        palette.color(QPalette::Button) == toQColor(colour))
        return;
    palette.setColor(QPalette::Window, toQColor(colour));
    palette.setColor(QPalette::Button, toQColor(colour));
    palette.setColor(QPalette::WindowText, toQColor(colour).darker(160));
    button->setPalette(palette);
}

} // namespace

ClockWindow::ClockWindow(WindowRegistry &registry, Platform &platform, SecondTicker &ticker,
                         const DataFolders &folders, Design design)
    : VrimWindow(registry, frame::of(design).window, Qt::Tool | Qt::FramelessWindowHint)
    , m_platform(platform)
    , m_ticker(&ticker)
    , m_ops(this)
{
    const FrameDesign &frame = frame::of(design);
    const QRect place = twipsRect(frame.twips);
    setGeometry(place);
    setFixedSize(place.size());
    setWindowTitle(frame.caption.isEmpty() ? frame.window : frame.caption);
    if (frame.hasPlayer)
        m_player = platform.makePlayer();

    m_clock = cardOf(design).make(
        ClockContext{folders, platform.time(), registry, m_ops, m_player.get(), buttonFace(*this)});
    if (m_player)
        connect(m_player.get(), &SoundPlayer::completed, this,
                [this] { m_clock->frame().playerCompleted(); });
    connect(m_clock.get(), &Clock::problem, this, &ClockWindow::report);
    connect(m_clock.get(), &Clock::picturesChanged, this, &ClockWindow::loadPictures);
    m_clock->onReadPicture([this](int slot, const QString &path) { return readPicture(slot, path); });
    connect(m_clock.get(), &Clock::faceChanged, this, &ClockWindow::showState);
    m_shown = m_clock->face();
    // Under the buttons, over the whole face: the time in words for a screen reader.
    m_spoken = new SpokenText(this, [this] { return m_clock->spokenTime(); });
    m_spoken->setObjectName(QStringLiteral("time"));
    m_spoken->setGeometry(rect());
    // The focus when the window is activated, so a reader says the time at once; the keys it
    // does not use go on to the window. It draws nothing, focused or not.
    m_spoken->setFocusPolicy(Qt::TabFocus);
    makeButtons();

    // Subscribed before load: a design whose load asks for a reload (Quenz) gets it at once.
    m_subscription = ticker.subscribe([this] { pass(); });
    connect(&m_clock->refresh(), &RefreshSignal::raised, this, [this] {
        if (m_ticker)
            m_ticker->passSoon(m_subscription);
    });
    m_clock->load();
    showState();
}

ClockWindow::~ClockWindow()
{
    if (m_ticker)
        m_ticker->unsubscribe(m_subscription);
}

void ClockWindow::unloading()
{
    // No pass may run between unloading and the widget's deletion: it could chime again.
    if (m_ticker)
        m_ticker->unsubscribe(m_subscription);
    m_clock->frame().closing();
}

void ClockWindow::pass()
{
    m_clock->tick();
    showState();
}

void ClockWindow::makeButtons()
{
    const FrameDesign &frame = m_clock->frame().design();
    for (const FrameButton &wanted : m_clock->buttons()) {
        QWidget *button = nullptr;
        const QString name = wanted.name;
        std::vector<std::pair<ControlTrigger, std::function<void()>>> roles;
        if (name == frame.moveHandle)
            roles.emplace_back(ControlTrigger{ControlTrigger::Down},
                               [this] { m_clock->frame().pressMoveHandle(); });
        if (name == frame.onTopButton)
            roles.emplace_back(ControlTrigger{ControlTrigger::Down}, [this] { pressOnTopButton(); });
        if (name == frame.menuButton)
            roles.emplace_back(frame.menuTrigger, [this] {
                if (m_clock->frame().design().menu.empty())
                    m_clock->frame().openSkinManager();
                else
                    popUpMenu();
            });
        if (name == frame.quitControl && frame.quitTrigger)
            roles.emplace_back(*frame.quitTrigger, [this] { m_clock->frame().useQuitControl(); });
        // Then the design hears of every gesture, for the buttons and gestures of its own.
        const auto gesture = [this, name](Clock::Gesture kind) {
            m_clock->buttonGesture(name, kind);
            showState();
        };

        if (wanted.push) {
            auto *push = new QPushButton(this);
            for (auto &[trigger, action] : roles)
                connect(push, &QPushButton::clicked, this, action);
            connect(push, &QPushButton::pressed, this, [gesture] { gesture(Clock::Gesture::Down); });
            connect(push, &QPushButton::released, this, [gesture] { gesture(Clock::Gesture::Up); });
            connect(push, &QPushButton::clicked, this, [gesture] { gesture(Clock::Gesture::Click); });
            button = push;
        } else {
            auto *label = new ClickLabel(this);
            if (name == frame.onTopButton) {
                label->setControlRole(ClickLabel::Role::CheckBox);
                m_onTopLabel = label;
            } else if (name == frame.menuButton && !frame.menu.empty()) {
                label->setControlRole(ClickLabel::Role::MenuButton);
            } else {
                label->setControlRole(ClickLabel::Role::Button);
            }
            // Dragging the window by its handle is the mouse's alone.
            label->setPressable(name != frame.moveHandle);
            if (!wanted.invisible) {
                label->setAutoFillBackground(true);
                label->setFrameShape(QFrame::Box);
                label->setLineWidth(1);
            }
            if (wanted.label) {
                // Words on the button; a press on them is a press on the button.
                auto *words = new QLabel(label);
                words->setObjectName(wanted.label->name);
                words->setAttribute(Qt::WA_TransparentForMouseEvents);
                words->setAutoFillBackground(true);
                QPalette palette = words->palette();
                palette.setColor(QPalette::Window, toQColor(wanted.label->background));
                palette.setColor(QPalette::WindowText, Qt::black);
                words->setPalette(palette);
                words->move(twipsRect(QRect(wanted.label->twips, QSize())).topLeft());
            }
            for (auto &[trigger, action] : roles)
                bindTrigger(label, trigger, action);
            connect(label, &ClickLabel::buttonDown, this, [gesture] { gesture(Clock::Gesture::Down); });
            connect(label, &ClickLabel::buttonUp, this, [gesture] { gesture(Clock::Gesture::Up); });
            connect(label, &ClickLabel::clicked, this, [gesture] { gesture(Clock::Gesture::Click); });
            connect(label, &ClickLabel::doubleClicked, this,
                    [gesture] { gesture(Clock::Gesture::DoubleClick); });
            button = label;
        }
        button->setObjectName(name);
        button->setGeometry(twipsRect(wanted.twips));
        m_buttons.emplace_back(name, button);
    }
    showButtonWords();
}

void ClockWindow::showButtonWords()
{
    // Only a few designs change a button's tip or words (Perrin's hour and minutes).
    for (const FrameButton &wanted : m_clock->buttons()) {
        QWidget *shown = button(wanted.name);
        if (!shown)
            continue;
        if (shown->toolTip() != wanted.tip) {
            shown->setToolTip(wanted.tip);
            // A push button without words is known by its tip.
            if (auto *push = qobject_cast<QPushButton *>(shown); push && push->text().isEmpty())
                push->setAccessibleName(wanted.tip);
        }
        if (!wanted.label)
            continue;
        auto *words = shown->findChild<QLabel *>(wanted.label->name);
        if (words && words->text() != wanted.label->text) {
            words->setText(wanted.label->text);
            words->adjustSize();
        }
    }
}

QWidget *ClockWindow::button(const QString &name) const
{
    for (const auto &[buttonName, widget] : m_buttons)
        if (buttonName == name)
            return widget;
    return nullptr;
}

void ClockWindow::pressOnTopButton()
{
    m_clock->frame().pressOnTopButton();
    showState(); // the button's colour, also when the toggle did nothing
    registry().noteChanged(windowName());
}

bool ClockWindow::staysOnTop() const { return m_clock->frame().isOnTop(); }

void ClockWindow::setStaysOnTop(bool onTop)
{
    if (staysOnTop() != onTop)
        pressOnTopButton();
}

bool ClockWindow::hasPicture(int slot) const
{
    return size_t(slot) < m_pictures.size() && !m_pictures[size_t(slot)].isNull();
}

void ClockWindow::showState()
{
    for (const auto &[name, widget] : m_buttons)
        paintButton(widget, m_clock->buttonColour(name));
    if (m_onTopLabel)
        m_onTopLabel->setChecked(m_clock->frame().isOnTop());
    showButtonWords();
    m_spoken->refresh();
    const Face &face = m_clock->face();
    if (face == m_shown)
        return;
    QRegion changed;
    for (int i : Face::changed(m_shown, face)) {
        changed += FacePainter::shownPixels(m_shown, i);
        changed += FacePainter::shownPixels(face, i);
    }
    m_shown = face;
    update(changed);
}

void ClockWindow::loadPictures()
{
    const Face &face = m_clock->face();
    const QStringList &paths = m_clock->pictures();
    // The design's own pictures lie in the slots after these and stay.
    if (m_pictures.size() < size_t(paths.size()))
        m_pictures.resize(size_t(paths.size()));
    for (int slot = 0; slot < paths.size(); ++slot) {
        if (paths[slot].isEmpty()) {
            // No picture chosen: nothing to say, and some designs keep the one they show.
            if (!cardOf(m_clock->design()).keepsPictureOnEmptyPath)
                m_pictures[size_t(slot)] = QImage();
            continue;
        }
        m_pictures[size_t(slot)] = QImage();
        QString problem;
        const QImage image = paths[slot].startsWith(u":/") ? loadArtwork(paths[slot], devicePixelRatioF())
                                                           : loadPicture(paths[slot], &problem);
        if (image.isNull()) {
            report(tr("The %1 clock cannot show its %2 %3: %4. %5")
                       .arg(designName(m_clock->design()),
                            slot == 0 ? tr("skin picture") : tr("centre picture"),
                            files::shortQuote(QDir::toNativeSeparators(paths[slot]), 160), problem,
                            shownWithout(m_clock->design(), slot)));
            continue;
        }
        // Stretched pictures are scaled once here, to the control that shows them, in the
        // screen's own pixels so that a dense screen shows them sharp. One shown at its own size
        // from a corner inside the window keeps only the part the window can ever show: a photo
        // chosen as a skin would otherwise hold tens of megabytes for a gadget.
        QImage shown = image;
        const qreal ratio = devicePixelRatioF();
        bool cornerInWindow = true;
        for (const FaceControl &control : face.controls()) {
            if (control.picture != slot)
                continue;
            if (control.fit == PictureFit::Stretch) {
                shown = image.scaled(twipsRect(control.twips).size() * ratio, Qt::IgnoreAspectRatio,
                                     Qt::SmoothTransformation);
                shown.setDevicePixelRatio(ratio);
            }
            const QPoint corner = FacePainter::placePixels(control).topLeft();
            cornerInWindow =
                cornerInWindow && control.fit == PictureFit::Natural && corner.x() >= 0 && corner.y() >= 0;
        }
        const QRect reach = image.rect() & rect();
        if (cornerInWindow && shown.devicePixelRatio() == 1.0 && reach != image.rect())
            shown = image.copy(reach);
        m_pictures[size_t(slot)] = shown;
    }
    // The pictures are the last step of every load and reload.
    m_previousProblems = std::exchange(m_problems, {});
    update();
}

QString ClockWindow::readPicture(int slot, const QString &path)
{
    if (m_pictures.size() <= size_t(slot))
        m_pictures.resize(size_t(slot) + 1);
    QString problem;
    QImage image;
    if (path.startsWith(u":/"))
        image = loadArtwork(path, devicePixelRatioF());
    else
        image = loadPicture(path, &problem);
    if (image.isNull() && problem.isEmpty())
        problem = tr("it cannot be read");
    m_pictures[size_t(slot)] = image;
    const Face &face = m_clock->face();
    for (int i = 0; i < face.size(); ++i)
        if (face[i].picture == slot)
            update(FacePainter::shownPixels(face, i));
    return problem;
}

void ClockWindow::report(const QString &problem)
{
    // Every reload reads the same files again: a fault already shown by the last one is not
    // shown again, and a box per reload would pile up while nothing changes.
    m_problems.append(problem);
    if (!m_previousProblems.contains(problem))
        m_platform.messages().warn(problem);
}

void ClockWindow::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    FacePainter::paint(painter, m_clock->face(), m_pictures, &event->region());
}

void ClockWindow::resizeEvent(QResizeEvent *event)
{
    VrimWindow::resizeEvent(event);
    if (m_spoken)
        m_spoken->setGeometry(rect());
    if (m_clock)
        m_clock->resized(size(), isMinimized());
}

bool ClockWindow::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return VrimWindow::event(event);
    const auto *help = static_cast<QHelpEvent *>(event);
    const QString tip = FacePainter::tipAt(m_clock->face(), help->pos());
    if (tip.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), tip, this);
    return true;
}

void ClockWindow::keyPressEvent(QKeyEvent *event)
{
    const bool menuKey = event->key() == Qt::Key_Menu ||
                         (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier);
    if (menuKey) {
        event->accept();
        useMenuFromKeyboard();
    } else if (event->matches(QKeySequence::Close)) {
        event->accept();
        close();
    } else {
        VrimWindow::keyPressEvent(event);
    }
}

void ClockWindow::useMenuFromKeyboard()
{
    const FrameDesign &design = m_clock->frame().design();
    if (design.menuButton.isEmpty())
        return;
    if (design.menu.empty()) {
        m_clock->frame().openSkinManager();
        return;
    }
    // Under the menu button, where the mouse would have opened it.
    const QWidget *menuButton = button(design.menuButton);
    popUpMenu(menuButton ? menuButton->mapToGlobal(QPoint(0, menuButton->height())) : mapToGlobal(QPoint()));
}

void ClockWindow::popUpMenu(std::optional<QPoint> at)
{
    const FrameDesign &design = m_clock->frame().design();
    QMenu menu(this);
    menu.setObjectName(design.menuName);
    fill(menu, design.menu, m_clock->frame(), registry());
    QPointer<ClockWindow> self(this);
    QAction *chosen = menu.exec(at.value_or(QCursor::pos()));
    if (chosen && self) {
        m_clock->frame().chooseMenuItem(chosen->objectName());
        if (self)
            showState();
    }
}

std::vector<std::pair<QString, ClockWindow::ItemState>> ClockWindow::menuItems() const
{
    std::vector<std::pair<QString, ItemState>> out;
    collect(m_clock->frame().design().menu, m_clock->frame(), registry(), out);
    return out;
}

} // namespace vrim
