#include "settings/SkinManagerDialog.h"

#include "BuildConfig.h"
#include "base/RefreshSignal.h"
#include "platform/Platform.h"
#include "platform/QtPlatform.h"
#include "ui/ClickLabel.h"
#include "ui/Colours.h"

#include <QButtonGroup>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace vrim {
namespace {

const QColor HeadingInk(30, 70, 110);
const QColor Panel(232, 238, 244);

QLabel *addLabel(QWidget *parent, const QString &text, const QRect &geometry)
{
    auto *label = new QLabel(text, parent);
    label->setGeometry(geometry);
    return label;
}

QLabel *addHeading(QWidget *parent, const QString &text, const QRect &geometry)
{
    QLabel *label = addLabel(parent, text, geometry);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    QPalette ink = label->palette();
    ink.setColor(QPalette::WindowText, HeadingInk);
    label->setPalette(ink);
    return label;
}

// A framed box for a picture, or for the words saying why there is none.
QLabel *addPreview(QWidget *parent, const QRect &geometry)
{
    auto *box = new QLabel(parent);
    box->setGeometry(geometry);
    box->setFrameShape(QFrame::StyledPanel);
    box->setFrameShadow(QFrame::Sunken);
    box->setAlignment(Qt::AlignCenter);
    box->setWordWrap(true);
    box->setAutoFillBackground(true);
    QPalette back = box->palette();
    back.setColor(QPalette::Window, QColor(20, 24, 30));
    back.setColor(QPalette::WindowText, QColor(235, 235, 235));
    box->setPalette(back);
    return box;
}

void showPreview(QLabel *box, const SkinManagerModel::Preview &preview)
{
    box->setToolTip(QDir::toNativeSeparators(preview.path));
    if (preview.path.isEmpty()) {
        box->clear();
        return;
    }
    if (!preview.problem.isEmpty()) {
        box->setText(QObject::tr("This picture cannot be shown (%1).").arg(preview.problem));
        return;
    }
    QString problem;
    const QImage image = loadPicture(preview.path, &problem, true);
    if (image.isNull()) {
        box->setText(QObject::tr("This picture cannot be shown (%1).").arg(problem));
        return;
    }
    const QSize room = box->contentsRect().size();
    box->setPixmap(QPixmap::fromImage(image.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

} // namespace

SkinManagerDialog::SkinManagerDialog(const SkinManagerDesign &design, WindowRegistry &registry,
                                     Platform &platform, const DataFolders &folders)
    : VrimWindow(registry, design.window,
                 Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_player(platform.makePlayer())
{
    m_model = std::make_unique<SkinManagerModel>(design, folders, registry, platform, *m_player,
                                                 QString::fromLatin1(build::HomePage));

    setWindowTitle(design.caption);
    closeOnEscape();
    openInFront();
    setFixedSize(420, 300);
    QPalette panel = palette();
    panel.setColor(QPalette::Window, Panel);
    setPalette(panel);
    setAutoFillBackground(true);

    // The picture half.
    addHeading(this, QStringLiteral("S k i n   M a n a g e r"), {12, 10, 190, 20});
    addLabel(this, QStringLiteral("Preview"), {12, 34, 190, 16});
    if (design.twoPictures) {
        m_previews[SkinManagerModel::Frame] = addPreview(this, {12, 52, 84, 164});
        m_previews[SkinManagerModel::Centre] = addPreview(this, {106, 52, 96, 96});
        auto *targets = new QButtonGroup(this);
        m_targets[0] = new QRadioButton(QStringLiteral("Frame"), this);
        m_targets[1] = new QRadioButton(QStringLiteral("Center"), this);
        m_targets[0]->setGeometry(106, 156, 96, 22);
        m_targets[1]->setGeometry(106, 178, 96, 22);
        for (int i = 0; i < 2; ++i) {
            targets->addButton(m_targets[size_t(i)], i);
            connect(m_targets[size_t(i)], &QRadioButton::clicked, this,
                    [this, i] { m_model->selectPicture(SkinManagerModel::Picture(i)); });
        }
    } else {
        m_previews[SkinManagerModel::Frame] = addPreview(this, {12, 52, 190, 164});
    }
    connect(addButton(QStringLiteral("View"), {12, 224, 90, 28}), &QPushButton::clicked, this, [this] {
        m_model->view();
        showState();
    });

    // The sound half.
    addHeading(this, QStringLiteral("S o u n d   M a n a g e  r"), {218, 10, 190, 20});
    connect(addButton(QStringLiteral("Change"), {218, 40, 90, 28}), &QPushButton::clicked, this,
            [this] { m_model->change(); });
    connect(addButton(QStringLiteral("Test"), {318, 40, 90, 28}), &QPushButton::clicked, this,
            [this] { m_model->test(); });
    auto *intervals = new QButtonGroup(this);
    for (int i = 0; i < 6; ++i) {
        auto *option = new QRadioButton(skinmanager::IntervalButtons[size_t(i)], this);
        option->setGeometry(218 + (i / 3) * 100, 84 + (i % 3) * 26, 96, 24);
        intervals->addButton(option, i);
        m_intervals[size_t(i)] = option;
        connect(option, &QRadioButton::clicked, this, [this, i] { m_model->selectInterval(i); });
    }

    // Ways out, and the link.
    QPushButton *ok = addButton(QStringLiteral("Ok"), {218, 224, 90, 28});
    connect(ok, &QPushButton::clicked, this, [this] { m_model->ok(); });
    pressOnEnter(ok);
    connect(addButton(QStringLiteral("Cancel"), {318, 224, 90, 28}), &QPushButton::clicked, this,
            [this] { m_model->cancel(); });
    addLabel(this, QStringLiteral("More Skins at Vrim Clocks web site."), {12, 266, 230, 20});
    ClickLabel *link = makeLinkLabel(this, QStringLiteral("Vrim Clocks"), {244, 266, 100, 20});
    connect(link, &ClickLabel::clicked, this, [this] { m_model->openHomePage(); });

    connect(m_player.get(), &SoundPlayer::completed, this, [this] { m_model->playerCompleted(); });
    m_model->open();
    showState();
    // As in the About box: Enter at once is Ok, not the first button of the tab order (View).
    ok->setFocus();
}

SkinManagerDialog::~SkinManagerDialog() = default;

QPushButton *SkinManagerDialog::addButton(const QString &caption, const QRect &geometry)
{
    auto *button = new QPushButton(caption, this);
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    return button;
}

QPushButton *SkinManagerDialog::button(const QString &caption) const
{
    for (QPushButton *candidate : findChildren<QPushButton *>())
        if (candidate->text() == caption)
            return candidate;
    return nullptr;
}

void SkinManagerDialog::unloading() { m_model->closing(); }

void SkinManagerDialog::showState()
{
    for (int which = 0; which < 2; ++which)
        if (m_previews[size_t(which)])
            showPreview(m_previews[size_t(which)], m_model->preview(SkinManagerModel::Picture(which)));
    for (int i = 0; i < 6; ++i)
        m_intervals[size_t(i)]->setChecked(m_model->selectedInterval() == i);
    if (m_targets[0])
        m_targets[size_t(m_model->pictureTarget())]->setChecked(true);
}

} // namespace vrim
