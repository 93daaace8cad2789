#include "help/HelpPageWindow.h"

#include "base/Geometry.h"
#include "base/WindowNames.h"
#include "help/RtfReader.h"
#include "help/RtfTextDocument.h"
#include "help/SampleWindow.h"
#include "platform/LocalFiles.h"
#include "platform/QtPlatform.h"
#include "ui/Colours.h"
#include "ui/WidgetWindow.h"

#include <QDir>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>

namespace vrim {
namespace {

constexpr ColourValue LightYellow = rgbValue(255, 255, 192);

QPushButton *makeButton(QWidget *parent, const QString &name, const QRect &twips, const QString &text)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setGeometry(twipsRect(twips));
    return button;
}

} // namespace

HelpPageWindow::HelpPageWindow(WindowRegistry &registry, DataFolders folders)
    : VrimWindow(registry, window::HelpPage,
                 // A dialog to the window manager: transient for the window that asked for it.
                 Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                     Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_folders(std::move(folders))
    , m_page(help::PageHooks{
          .loadPage = [this](const QString &file) { loadPage(file); },
          .showPicture = [this](const QString &file) { showPicture(file); },
          .hidePicture = [this] { m_picture->hide(); },
          .pictureShown = [this] { return !m_picture->isHidden(); },
          .showWindow = [this](const QString &name) { this->registry().show(name); },
          .hideWindow = [this](const QString &name) { hideSampleWindow(name); },
          .buttonChanged = [this] { showButton(); },
      })
{
    setWindowTitle(QStringLiteral("Vrim Clocks Help"));
    openInFront();
    closeOnEscape();
    setFixedSize(twipsRect(0, 0, 4830, 6435).size());
    move(twipsToPixels(2805), twipsToPixels(1410));
    QPalette background = palette();
    background.setColor(QPalette::Window, toQColor(LightYellow));
    setPalette(background);
    setAutoFillBackground(true);

    m_box = new QTextEdit(this);
    m_box->setObjectName(QStringLiteral("RichTextBox1"));
    m_box->setGeometry(twipsRect(270, 0, 4485, 5955));
    m_box->setReadOnly(true);
    m_box->setAccessibleName(QStringLiteral("Help page"));

    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("Picture2"));
    m_picture->setGeometry(twipsRect(270, 4530, 1785, 1755));
    m_picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_picture->setAutoFillBackground(true);
    m_picture->hide();

    m_sample = makeButton(this, QStringLiteral("Command1"), QRect(3540, 6000, 1185, 345), help::ShowCaption);
    connect(m_sample, &QPushButton::clicked, this, [this] { m_page.toggleSample(); });
    m_exit =
        makeButton(this, QStringLiteral("Command2"), QRect(2280, 6000, 1185, 345), QStringLiteral("Exit"));
    connect(m_exit, &QPushButton::clicked, this, [this] {
        // The launcher last: a window manager puts a window it has just mapped on top and may
        // focus it, whatever was raised before; so the launcher ends in front and active.
        this->registry().show(window::HelpMenu);
        this->registry().show(window::Launcher);
        // Its closing shows the launcher once more.
        this->registry().unload(windowName());
    });
}

void HelpPageWindow::setPageKey(const QString &key)
{
    showText(key); // a key that is no page stays in the box as its text
    m_page.textChanged(key);
}

void HelpPageWindow::showText(const QString &text)
{
    m_box->setPlainText(text);
    // In the size of a page's ordinary text, not the box's own smaller one nor whatever the page
    // before began with.
    QTextCharFormat ordinary;
    ordinary.setFontPointSize(rtf::CharFormat{}.halfPoints / 2.0);
    QTextCursor all(m_box->document());
    all.select(QTextCursor::Document);
    all.setBlockCharFormat(ordinary);
    all.setCharFormat(ordinary);
}

void HelpPageWindow::unloading() { registry().show(window::Launcher); }

void HelpPageWindow::loadPage(const QString &pageFile)
{
    const QString path = m_folders.path(QString(u"\\Helps\\" + pageFile));
    // A page of ours is a few kilobytes; a pipe or a device in its place must not hold the window.
    constexpr qint64 MaxPageBytes = 4 * 1024 * 1024;
    const files::Contents contents = files::readRegularFile(path, MaxPageBytes);
    const QByteArray &rtf = contents.bytes;
    if (rtf.isEmpty() || !contents.complete) {
        // The window stays open and names what it could not read.
        showText(tr("The help page %1 could not be read.").arg(QDir::toNativeSeparators(path)));
        return;
    }
    fillFromRtf(*m_box->document(), rtf);
}

void HelpPageWindow::showPicture(const QString &pictureFile)
{
    const QString path = m_folders.path(QString(u"\\Helps\\" + pictureFile));
    QString problem;
    const QImage image = loadPicture(path, &problem);
    if (image.isNull()) {
        m_picture->setPixmap(QPixmap());
        m_picture->setWordWrap(true);
        m_picture->setText(tr("The sample picture %1 could not be read.")
                               .arg(help::breakablePath(help::nameInProgramFolder(path, m_folders))));
        m_picture->setGeometry(twipsRect(270, 4530, 1785, 1755));
    } else {
        m_picture->setGeometry(help::pictureBox(image.size(), this->size()));
        m_picture->setPixmap(QPixmap::fromImage(image).scaled(m_picture->size(), Qt::KeepAspectRatio,
                                                              Qt::SmoothTransformation));
    }
    m_picture->raise();
    m_picture->show();
}

void HelpPageWindow::hideSampleWindow(const QString &name)
{
    // It stays loaded; only its close box unloads it.
    if (auto *sample = dynamic_cast<WidgetWindow *>(registry().window(name)); sample && sample->widget())
        sample->widget()->hide();
}

void HelpPageWindow::showButton()
{
    m_sample->setText(m_page.caption());
    m_sample->setEnabled(m_page.buttonEnabled());
}

} // namespace vrim
