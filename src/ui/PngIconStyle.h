#pragma once

#include <QProxyStyle>

namespace vrim {

// The desktop's style as it is, but for the icons of the dialogs' OK and Cancel buttons. Qt's own
// style reads those from PNG pictures of its own without naming the format, and a reader left to
// guess loads every image plug-in there is (GIF, ICO, JPEG with the JPEG library: some 200 kB
// that stay) the first time a message box shows. Read as the PNG pictures they are, the icons
// look the same and load nothing.
class PngIconStyle final : public QProxyStyle {
public:
    QIcon standardIcon(StandardPixmap which, const QStyleOption *option, const QWidget *widget) const override;
};

} // namespace vrim
