#pragma once

#include <QString>
#include <QWidget>

#include <functional>

namespace vrim {

// How the program's own controls show themselves to assistive technology (screen readers on the
// desktop's accessibility bus). Nothing here runs while no such technology listens.
namespace accessible {

// Registers the program's interfaces with Qt's accessibility, once.
void install();

// True while an assistive technology listens: only then are texts built and changes told.
bool listening();

// A colour as words a screen reader can say ("green", "dark red").
QString colourWords(int red, int green, int blue);

} // namespace accessible

// A widget that shows nothing and takes no mouse, laid over a face that paints words or colours
// itself: it gives assistive technology what the face shows in words, read only when asked.
class SpokenText final : public QWidget {
    Q_OBJECT
public:
    SpokenText(QWidget *parent, std::function<QString()> text);

    QString text() const { return m_text ? m_text() : QString(); }
    // The face may have changed: tells a listening reader when its words did.
    void refresh();

private:
    std::function<QString()> m_text;
    QString m_told;
};

} // namespace vrim
