#include "ui/PngIconStyle.h"

#include "ui/Artwork.h"

#include <QIcon>
#include <QPixmap>

namespace vrim {

QIcon PngIconStyle::standardIcon(StandardPixmap which, const QStyleOption *option, const QWidget *widget) const
{
    struct Bundled {
        StandardPixmap which;
        const char *themeName; // what the style asks the desktop's icon theme for first
        const char *name;
    };
    static constexpr Bundled Icons[]{{SP_DialogOkButton, "dialog-ok", "ok"},
                                     {SP_DialogCancelButton, "dialog-cancel", "cancel"}};
    for (const Bundled &icon : Icons) {
        if (icon.which != which || QIcon::hasThemeIcon(QLatin1String(icon.themeName)))
            continue;
        QIcon bundled;
        for (const int size : {16, 32, 128}) {
            const QImage image = readPng(QStringLiteral(":/qt-project.org/styles/commonstyle/images/standardbutton-%1-%2.png")
                                             .arg(QLatin1String(icon.name))
                                             .arg(size));
            if (image.isNull())
                return QProxyStyle::standardIcon(which, option, widget); // not where this Qt keeps it
            bundled.addPixmap(QPixmap::fromImage(image));
        }
        return bundled;
    }
    return QProxyStyle::standardIcon(which, option, widget);
}

} // namespace vrim
