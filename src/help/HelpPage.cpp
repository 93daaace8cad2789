#include "help/HelpPage.h"

#include "base/WindowNames.h"
#include "base/WindowRegistry.h"

#include <algorithm>
#include <array>

namespace vrim::help {
namespace {

QString s(const char *text) { return QString::fromLatin1(text); }

const std::array<HelpKey, 10> &table()
{
    static const std::array<HelpKey, 10> all{{
        {s("Vrimcolor"), s("VrimHlp.rtf"), SampleKind::PictureByShown, s("vrimsample.jpg"), true},
        {s("Perrin"), s("PerrinHlp.rtf"), SampleKind::None, {}, false},
        {s("lumbo"), s("lumboHlp.rtf"), SampleKind::Window, window::LumboSample, true},
        {s("ganto"), s("gantoHlp.rtf"), SampleKind::None, {}, false},
        {s("quenz"), s("QuenzHlp.rtf"), SampleKind::WindowHidesPicture, window::QuenzSample, true},
        {s("dov"), s("dovHlp.rtf"), SampleKind::Dov, {}, false},
        {s("Jolvex"), s("JolvexHlp.rtf"), SampleKind::PictureByCaption, s("jolvexsample.gif"), true},
        {s("Ostrana"), s("OstranaHlp.rtf"), SampleKind::None, {}, false},
        {s("norvi"), s("norviHlp.rtf"), SampleKind::WindowHidesPicture, window::NorviSample, true},
        {s("Mip"), s("MipHlp.rtf"), SampleKind::MipWindows, window::MipSample, true},
    }};
    return all;
}

} // namespace

std::span<const HelpKey> keys() { return table(); }

const HelpKey *find(const QString &text)
{
    for (const HelpKey &key : table()) {
        if (key.key == text)
            return &key;
    }
    return nullptr;
}

QRect pictureBox(QSize picture, QSize client)
{
    static constexpr QPoint Place{18, 302}; // 270, 4530 twips
    if (picture.isEmpty() || client.isEmpty())
        return QRect(Place, QSize());
    const QSize size = picture.width() > client.width() || picture.height() > client.height()
                           ? picture.scaled(client, Qt::KeepAspectRatio)
                           : picture;
    const int left = std::max(0, std::min(Place.x(), client.width() - size.width()));
    const int top = std::max(0, std::min(Place.y(), client.height() - size.height()));
    return QRect(QPoint(left, top), size);
}

HelpPage::HelpPage(PageHooks hooks)
    : m_hooks(std::move(hooks))
{}

void HelpPage::textChanged(const QString &text)
{
    const HelpKey *key = find(text);
    if (!key)
        return; // the box keeps what it shows, the button and the sample stay as they are
    m_enabled = key->sampleEnabled;
    if (m_hooks.buttonChanged)
        m_hooks.buttonChanged();
    m_sampleKey = key->key;
    // The page replaces the text; that text is no key, so loading it loads nothing more.
    m_hooks.loadPage(key->pageFile);
}

void HelpPage::setCaption(const QString &caption)
{
    m_caption = caption;
    if (m_hooks.buttonChanged)
        m_hooks.buttonChanged();
}

void HelpPage::hidePicture() { m_hooks.hidePicture(); }

// The caption is not reset by a new page: a design's branch may meet the caption another
// design's sample left.
void HelpPage::toggleSample()
{
    const HelpKey *key = find(m_sampleKey);
    if (!key)
        return;
    switch (key->sample) {
    case SampleKind::None:
        return;
    case SampleKind::PictureByShown:
        if (!m_hooks.pictureShown()) {
            setCaption(HideCaption);
            m_hooks.showPicture(key->sampleName);
        } else {
            setCaption(ShowCaption);
            hidePicture();
        }
        return;
    case SampleKind::PictureByCaption:
        if (m_caption == ShowCaption) {
            setCaption(HideCaption);
            m_hooks.showPicture(key->sampleName);
        } else if (m_caption == HideCaption) {
            setCaption(ShowCaption);
            hidePicture();
        }
        return;
    case SampleKind::Window:
    case SampleKind::WindowHidesPicture:
        if (m_caption == ShowCaption) {
            m_hooks.showWindow(key->sampleName);
            setCaption(HideCaption);
        } else if (m_caption == HideCaption) {
            m_hooks.hideWindow(key->sampleName);
            setCaption(ShowCaption);
            if (key->sample == SampleKind::WindowHidesPicture)
                hidePicture();
        }
        return;
    case SampleKind::MipWindows:
        if (m_caption == ShowCaption && !m_hooks.pictureShown()) {
            setCaption(HideCaption);
            m_hooks.showWindow(window::MipSample);
            m_hooks.showWindow(window::MipSamples);
        } else if (m_caption == HideCaption) {
            setCaption(ShowCaption);
            hidePicture();
            m_hooks.hideWindow(window::MipSamples);
            m_hooks.hideWindow(window::MipSample);
        }
        return;
    case SampleKind::Dov:
        m_enabled = false;
        if (m_hooks.buttonChanged)
            m_hooks.buttonChanged();
        hidePicture();
        return;
    }
}

} // namespace vrim::help

namespace vrim {

void showHelpPage(WindowRegistry &registry, const QString &key)
{
    if (!registry.show(window::HelpPage))
        return;
    if (ManagedWindow *page = registry.window(window::HelpPage))
        page->setPageKey(key);
}

} // namespace vrim
