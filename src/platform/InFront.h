#pragma once

class QWidget;

namespace vrim::infront {

// Dialogs and messages in front of the program's own windows. The clocks stay on top, and a
// window manager keeps an ordinary window under every window that does, so a dialog opened from
// a clock would open behind the clocks with its buttons hidden. A dialog is therefore transient
// for the window it was opened from, stays on top itself while any window of the program does,
// and is raised over them once shown.

// Starts noting which window the user used or opened last: the window a dialog opened next is
// opened from. Once, at start-up.
void watchOpeners();

// Before `dialog` (a top-level widget not yet shown) is shown the first time.
void prepare(QWidget *dialog);
// Once it is shown: raised over the rest and made the active window, with its frame on screen.
void bringForward(QWidget *dialog);

} // namespace vrim::infront
