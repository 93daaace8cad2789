#include "ui/Accessible.h"

#include "ui/SpokenText.h"

#include "ui/ClickLabel.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QColor>

#include <array>

namespace vrim {
namespace {

// A label that is pressed like a button: its name is its tool-tip where it has no words.
class ClickLabelInterface final : public QAccessibleWidget {
public:
    explicit ClickLabelInterface(ClickLabel *label)
        : QAccessibleWidget(label, roleOf(label->controlRole()))
    {}

    QString text(QAccessible::Text kind) const override
    {
        const auto *label = static_cast<const ClickLabel *>(widget());
        if (kind == QAccessible::Name) {
            if (!label->accessibleName().isEmpty())
                return label->accessibleName();
            return label->text().isEmpty() ? label->toolTip() : label->text();
        }
        if (kind == QAccessible::Description) {
            // The tool-tip is already the name. A check box's colour is its state to the eye.
            if (!label->accessibleDescription().isEmpty() ||
                label->controlRole() != ClickLabel::Role::CheckBox)
                return label->accessibleDescription();
            const QColor colour = label->palette().color(QPalette::Window);
            return accessible::colourWords(colour.red(), colour.green(), colour.blue());
        }
        return QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override
    {
        const auto *label = static_cast<const ClickLabel *>(widget());
        QAccessible::State state = QAccessibleWidget::state();
        if (label->controlRole() == ClickLabel::Role::CheckBox) {
            state.checkable = true;
            state.checked = label->isChecked();
        }
        if (label->controlRole() == ClickLabel::Role::MenuButton)
            state.hasPopup = true;
        return state;
    }

    QStringList actionNames() const override
    {
        const auto *label = static_cast<const ClickLabel *>(widget());
        if (!label->isPressable())
            return {};
        return {label->controlRole() == ClickLabel::Role::CheckBox ? toggleAction() : pressAction()};
    }

    void doAction(const QString &action) override
    {
        if (action == pressAction() || action == toggleAction())
            static_cast<ClickLabel *>(widget())->press();
    }

private:
    static QAccessible::Role roleOf(ClickLabel::Role role)
    {
        switch (role) {
        case ClickLabel::Role::CheckBox:
            return QAccessible::CheckBox;
        case ClickLabel::Role::Link:
            return QAccessible::Link;
        case ClickLabel::Role::Button:
        case ClickLabel::Role::MenuButton:
            return QAccessible::Button;
        case ClickLabel::Role::Label:
            break;
        }
        return QAccessible::StaticText;
    }
};

class SpokenTextInterface final : public QAccessibleWidget {
public:
    explicit SpokenTextInterface(SpokenText *spoken)
        : QAccessibleWidget(spoken, QAccessible::StaticText)
    {}

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name || kind == QAccessible::Value)
            return static_cast<const SpokenText *>(widget())->text();
        return QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface *makeInterface(const QString &className, QObject *object)
{
    if (className == u"vrim::ClickLabel") {
        auto *label = static_cast<ClickLabel *>(object);
        if (label->controlRole() != ClickLabel::Role::Label)
            return new ClickLabelInterface(label);
    } else if (className == u"vrim::SpokenText") {
        return new SpokenTextInterface(static_cast<SpokenText *>(object));
    }
    return nullptr;
}

} // namespace

namespace accessible {

void install()
{
    static const bool installed = [] {
        QAccessible::installFactory(&makeInterface);
        return true;
    }();
    Q_UNUSED(installed);
}

bool listening() { return QAccessible::isActive(); }

QString colourWords(int red, int green, int blue)
{
    struct Named {
        const char *words;
        int red, green, blue;
    };
    static constexpr std::array<Named, 19> Names = {{
        {"light green", 144, 238, 144},
        {"pink", 255, 192, 203},
        {"light blue", 173, 216, 230},
        {"black", 0, 0, 0},
        {"white", 255, 255, 255},
        {"grey", 128, 128, 128},
        {"light grey", 192, 192, 192},
        {"dark grey", 64, 64, 64},
        {"red", 255, 0, 0},
        {"dark red", 128, 0, 0},
        {"green", 0, 255, 0},
        {"dark green", 0, 128, 0},
        {"blue", 0, 0, 255},
        {"dark blue", 0, 0, 128},
        {"yellow", 255, 255, 0},
        {"orange", 255, 160, 0},
        {"cyan", 0, 255, 255},
        {"magenta", 255, 0, 255},
        {"brown", 140, 80, 30},
    }};
    const Named *nearest = &Names[0];
    int best = -1;
    for (const Named &named : Names) {
        const int distance = (red - named.red) * (red - named.red) +
                             (green - named.green) * (green - named.green) +
                             (blue - named.blue) * (blue - named.blue);
        if (best < 0 || distance < best) {
            best = distance;
            nearest = &named;
        }
    }
    return QString::fromLatin1(nearest->words);
}

} // namespace accessible

} // namespace vrim
