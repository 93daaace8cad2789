#include "clocks/lumbo/LumboPrefsDialog.h"

#include "base/WindowNames.h"

#include <QCheckBox>
#include <QPushButton>

namespace vrim {

LumboPrefsDialog::LumboPrefsDialog(WindowRegistry &registry, Platform &platform, const DataFolders &folders,
                                   std::function<LumboLook *()> findLumbo)
    : VrimWindow(registry, window::LumboPrefs,
                 Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_model(std::make_unique<LumboPrefsModel>(folders, registry, platform, std::move(findLumbo)))
{
    setWindowTitle(QStringLiteral("preff-ferendz"));
    closeOnEscape();
    openInFront();
    setFixedSize(236, 128);

    const auto add = [this](const char *name, const QString &caption, const QRect &place) {
        auto *button = new QPushButton(caption, this);
        button->setObjectName(QString::fromLatin1(name));
        button->setGeometry(place);
        button->setAutoDefault(false);
        return button;
    };
    connect(add("Command1", QStringLiteral("Out lumbo"), {12, 12, 100, 28}), &QPushButton::clicked, this,
            [this] { m_model->chooseColour(LumboPrefsModel::Colour::Outer); });
    connect(add("Command2", QStringLiteral("In lumbo"), {124, 12, 100, 28}), &QPushButton::clicked, this,
            [this] { m_model->chooseColour(LumboPrefsModel::Colour::Inner); });
    m_border = add("Command5", QString(), {12, 50, 100, 28});
    connect(m_border, &QPushButton::clicked, this, [this] {
        m_model->switchBorder();
        showState();
    });
    m_sound = new QCheckBox(QStringLiteral("Sound"), this);
    m_sound->setObjectName(QStringLiteral("Check1"));
    m_sound->setGeometry(130, 52, 94, 24);
    connect(m_sound, &QCheckBox::clicked, this, [this](bool on) { m_model->setSound(on); });
    QPushButton *zeive = add("Command3", QStringLiteral("Zeive"), {12, 88, 100, 28});
    connect(zeive, &QPushButton::clicked, this, [this] { m_model->zeive(); });
    pressOnEnter(zeive);
    connect(add("Command4", QStringLiteral("Candziel"), {124, 88, 100, 28}), &QPushButton::clicked, this,
            [this] { m_model->candziel(); });

    m_model->open();
    showState();
    // As in the About box: Enter at once saves, not the first button of the tab order.
    zeive->setFocus();
}

LumboPrefsDialog::~LumboPrefsDialog() = default;

QWidget *LumboPrefsDialog::control(const QString &name) const { return findChild<QWidget *>(name); }

void LumboPrefsDialog::showState()
{
    m_border->setText(m_model->borderCaption());
    m_sound->setChecked(m_model->soundChecked());
}

} // namespace vrim
