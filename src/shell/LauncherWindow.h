#pragma once

#include "ui/VrimWindow.h"

#include <QPixmap>

namespace vrim {

struct LauncherEntry;
class ClickLabel;

// The launcher: a column of coloured bars, one per window, and the tall help picture.
class LauncherWindow final : public VrimWindow {
    Q_OBJECT
public:
    explicit LauncherWindow(WindowRegistry &registry);

    // The bar and the label of an entry, by its label text ("Dov", "Exit", "H E L P").
    ClickLabel *bar(const QString &label) const;
    ClickLabel *label(const QString &label) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void addEntry(const LauncherEntry &entry);

    QPixmap m_background;
};

} // namespace vrim
