#pragma once

#include "clocks/Face.h"

#include <QString>

namespace vrim {

// The Mip face: three display-only push buttons stacked in a tall window, the hour's picture in
// the big one and the minutes' two digits below it, each a shape with as many points as its
// number. The pictures lie in the window's slots: the skin in 0, the twelve hour pictures in
// 1-12, the digit list (1-9, then zero as its picture 10) in 13-22, and the zero read from the
// Helps folder in 23. Which slot each button shows is the face's state.
class MipFace {
public:
    enum Control { Form, Hour, Tens, Units };
    static constexpr int HelpsZeroSlot = 23;
    static constexpr int hourSlot(int picture) { return picture; }       // picture 1..12
    static constexpr int digitSlot(int picture) { return 12 + picture; } // picture 1..10
    static constexpr int ZeroDigit = 10;                                 // the digit list's zero

    // The resource each list picture comes from, by slot 1..22.
    static QString listPicture(int slot);

    MipFace();
    const Face &controls() const { return m_controls; }
    int shown(Control control) const { return m_controls[control].picture; }
    void show(Control control, int slot) { m_controls[control].picture = slot; }

private:
    Face m_controls;
};

} // namespace vrim
