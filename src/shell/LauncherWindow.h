#pragma once

#include "ui/VrimWindow.h"

#include <QMenu>
#include <QPixmap>
#include <QPointer>

namespace vrim {

struct LauncherEntry;
class ClickLabel;

// The launcher: a column of coloured bars, one per window, and the tall help picture.
class LauncherWindow final : public VrimWindow {
    Q_OBJECT
public:
    // `menu` is the program's menu, opened by the right button and the Menu key.
    explicit LauncherWindow(WindowRegistry &registry, QMenu *menu = nullptr);

    // The bar and the label of an entry, by its label text ("Dov", "Exit", "H E L P").
    ClickLabel *bar(const QString &label) const;
    ClickLabel *label(const QString &label) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void addEntry(const LauncherEntry &entry);

    QPixmap m_background;
    QPointer<QMenu> m_menu;
};

} // namespace vrim
