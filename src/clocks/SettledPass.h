#pragma once

namespace vrim {

// The faces' rules were made for passes a millisecond apart: some of their states live only
// until the next pass (the "11" bar lit at 11:00 and dimmed by the pass after). Passes here
// come once a second, so a pass is run again at once until the face stops changing, and what
// is shown is what the next millisecond would have shown. Every face settles within a few
// passes; the bound only guards against a rule that would flip for ever.
inline constexpr int MaxSettlingPasses = 4;

// A pass that begins more than this many seconds after the one before (or before it) finds the
// clock set or the machine woken: the face is drawn afresh from the time, as at opening.
inline constexpr int MaxSecondsBetweenPasses = 2;

// Runs `pass` again while it still changes `face` (compared by value); call it right after a
// pass, a reset or a reload.
template <typename Face, typename Pass>
void settle(const Face &face, Pass &&pass)
{
    for (int i = 0; i < MaxSettlingPasses; ++i) {
        const Face before = face;
        pass();
        if (face == before)
            return;
    }
}

} // namespace vrim
