#include "ui/Fonts.h"

#include <QApplication>

namespace vrim {
namespace {

QString aliasedFamily(const QString &family)
{
    static const QStringList closestToArial = {
        QStringLiteral("MS Sans Serif"), QStringLiteral("Arial Rounded MT Bold"), QStringLiteral("System")};
    return closestToArial.contains(family, Qt::CaseInsensitive) ? QStringLiteral("Arial") : family;
}

} // namespace

QFont windowFont(const QString &family, qreal points, bool bold)
{
    QFont font(aliasedFamily(family));
    font.setStyleHint(family.contains(QStringLiteral("Courier"), Qt::CaseInsensitive) ? QFont::TypeWriter
                                                                                      : QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QFont defaultWindowFont() { return windowFont(QStringLiteral("MS Sans Serif"), 8.25); }

void useWindowFonts() { QApplication::setFont(defaultWindowFont()); }

} // namespace vrim
