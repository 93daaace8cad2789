#pragma once

#include "ui/VrimWindow.h"

namespace vrim {

// "Help": Exit, Back, and one light-yellow row per page whose small button opens it. Every
// button closes the menu.
class HelpMenuWindow : public VrimWindow {
    Q_OBJECT
public:
    explicit HelpMenuWindow(WindowRegistry &registry);

    struct Row {
        int top; // twips
        QString label;
        QString key; // empty: the about box
    };
    static const std::vector<Row> &rows();
};

} // namespace vrim
