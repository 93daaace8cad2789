#include "help/MipSamplesWindow.h"

#include "base/Geometry.h"
#include "base/WindowNames.h"
#include "platform/Platform.h"
#include "platform/Timer.h"
#include "ui/Artwork.h"
#include "ui/Fonts.h"

#include <QLabel>
#include <QPixmap>

namespace vrim {

MipSamplesWindow::MipSamplesWindow(WindowRegistry &registry, Platform &platform)
    : VrimWindow(registry, window::MipSamples, Qt::Tool | Qt::MSWindowsFixedSizeDialogHint)
    , m_timer(platform.makeTimer())
{
    setWindowTitle(tr("Mip Numbers"));
    setFixedSize(twipsRect(QRect(QPoint(), MipSamples::ClientTwips)).size());
    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("Image10"));
    m_picture->setGeometry(twipsRect(MipSamples::PictureTwips));
    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("Numblbl"));
    m_label->setGeometry(twipsRect(MipSamples::LabelTwips));
    m_label->setAlignment(Qt::AlignCenter);
    m_label->setFont(windowFont(QStringLiteral("MS Sans Serif"), 12, true));
    connect(m_timer.get(), &Timer::timeout, this, &MipSamplesWindow::tick);
}

MipSamplesWindow::~MipSamplesWindow() = default;

void MipSamplesWindow::unloading() { m_timer->stop(); }

void MipSamplesWindow::showEvent(QShowEvent *event)
{
    VrimWindow::showEvent(event);
    if (!m_timer->isActive())
        m_timer->start(MipSamples::IntervalMs);
}

void MipSamplesWindow::hideEvent(QHideEvent *event)
{
    VrimWindow::hideEvent(event);
    m_timer->stop();
}

void MipSamplesWindow::tick()
{
    m_samples.tick();
    const int n = m_samples.number();
    m_label->setText(m_samples.text());
    // The outer size, frame and title included, as the places were worked out for.
    const QSize outer = frameGeometry().size() * TwipsPerPixel;
    const QPixmap shown = QPixmap::fromImage(loadArtwork(MipSamples::picture(n), devicePixelRatioF()));
    m_picture->setPixmap(shown);
    m_picture->setGeometry(QRect(twipsRect(QRect(MipSamples::place(n, outer), QSize())).topLeft(),
                                 shown.deviceIndependentSize().toSize()));
}

} // namespace vrim
