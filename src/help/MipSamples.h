#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

namespace vrim {

// The "Mip Numbers" sample window's rules: a counter that runs 1..12 and round again, one step a
// tick, and where the hour picture stands for each number (the pictures differ in their drawn
// size, so each is placed where it looks centred). Places are twips, worked out from the window's
// outer size as the window has it at that tick.
class MipSamples {
public:
    static constexpr int IntervalMs = 1600;
    static constexpr QSize ClientTwips{1770, 1515};
    static constexpr QRect PictureTwips{465, 240, 630, 630}; // Image10 before the first tick
    static constexpr QRect LabelTwips{735, 1200, 390, 315};  // Numblbl

    // 0 until the first tick.
    int number() const { return m_number; }
    QString text() const { return m_number == 0 ? QString() : QString::number(m_number); }
    void tick() { m_number = m_number % 12 + 1; }

    // Image10's left and top for number n (1..12) in a window of `outer` twips.
    static QPoint place(int n, QSize outer);
    // The hour picture for number n.
    static QString picture(int n);

private:
    int m_number = 0;
};

} // namespace vrim
