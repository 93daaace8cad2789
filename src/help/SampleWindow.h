#pragma once

#include "ui/VrimWindow.h"

#include <QPoint>
#include <QSize>

#include <optional>

class QLabel;

namespace vrim {

class DataFolders;

// A help sample: a small tool window whose whole background is one picture. It has no controls;
// closing it unloads it.
class SampleWindow : public VrimWindow {
    Q_OBJECT
public:
    struct Look {
        QString name;
        QString caption;
        QSize clientTwips;
        std::optional<QPoint> placeTwips; // nothing: where the window manager puts it
        QString picture;                  // a file path or a resource path
        bool artwork = false;             // a resource path with a twin for dense screens
    };
    SampleWindow(WindowRegistry &registry, const Look &look);

    QLabel *picture() const { return m_picture; }

private:
    QLabel *m_picture = nullptr;
};

namespace help {
// The four sample windows, by window name, their pictures found in `folders`.
SampleWindow::Look sampleLook(const QString &name, const DataFolders &folders);
} // namespace help

} // namespace vrim
