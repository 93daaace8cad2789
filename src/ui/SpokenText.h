#pragma once

#include <QString>
#include <QWidget>

#include <functional>

namespace vrim {

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
