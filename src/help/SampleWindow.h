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
        QString shownName;                // how a missing picture is named; empty: its path
    };
    SampleWindow(WindowRegistry &registry, const Look &look);

    QLabel *picture() const { return m_picture; }

private:
    QLabel *m_picture = nullptr;
};

namespace help {
// A path as a label shows it in a narrow box: it may break after each folder and before the
// file's extension.
QString breakablePath(const QString &path);
// A file of the program folder named from there, as "Helps/name".
QString nameInProgramFolder(const QString &path, const DataFolders &folders);
// The four sample windows, by window name, their pictures found in `folders`.
SampleWindow::Look sampleLook(const QString &name, const DataFolders &folders);
} // namespace help

} // namespace vrim
