#include "clocks/FacePainter.h"

#include "ui/Colours.h"
#include "ui/Fonts.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

#include <algorithm>
#include <cmath>

namespace vrim {

namespace {

QPoint pixelPoint(QPoint twips) { return twipsRect(twips.x(), twips.y(), 0, 0).topLeft(); }

} // namespace

QRect FacePainter::placePixels(const FaceControl &control)
{
    QRect place = twipsRect(control.twips);
    if (control.exactTop) {
        // Halves round down the screen whatever the sign, so a move keeps its size in pixels.
        const int top = int(std::floor(double(*control.exactTop) / TwipsPerPixel + 0.5));
        place.moveTop(top);
    }
    return place;
}

QRect FacePainter::shownPixels(const Face &face, int i)
{
    QRect place;
    if (face[i].shape == FaceShape::Line) {
        const int reach = face[i].lineWidth;
        place = QRect(pixelPoint(face[i].segment.p1()), pixelPoint(face[i].segment.p2()))
                    .normalized()
                    .adjusted(-reach, -reach, reach, reach);
    } else {
        place = placePixels(face[i]);
    }
    return face[i].clipTo >= 0 ? place & shownPixels(face, face[i].clipTo) : place;
}

QString FacePainter::tipAt(const Face &face, QPoint at)
{
    for (int i = face.size() - 1; i >= 0; --i)
        if (face[i].visible && !face[i].tip.isEmpty() && shownPixels(face, i).contains(at))
            return face[i].tip;
    return {};
}

void FacePainter::paint(QPainter &painter, const Face &face, const std::vector<QImage> &pictures,
                        const QRegion *dirty)
{
    // On a dense screen a skin drawn for one pixel per point is enlarged smoothly, not in blocks.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // The pens of the plain boxes' outlines, one a colour: a pen made for every box, every pass,
    // would be made and thrown away thousands of times an hour.
    std::vector<std::pair<ColourValue, QPen>> outlinePens;
    for (int i = 0; i < face.size(); ++i) {
        const FaceControl &control = face[i];
        if (!control.visible)
            continue;
        const QRect box = shownPixels(face, i);
        if (box.isEmpty() || (dirty && !dirty->intersects(box)))
            continue;
        const bool plainBox = control.shape == FaceShape::Box && control.text.isEmpty() &&
                              (control.picture < 0 || size_t(control.picture) >= pictures.size() ||
                               pictures[size_t(control.picture)].isNull());
        if (plainBox) {
            // A fill and an outline stay inside the box by themselves: no cut to set and undo.
            if (control.fill)
                painter.fillRect(box, toQColor(*control.fill));
            if (control.outline) {
                auto pen = std::find_if(outlinePens.begin(), outlinePens.end(),
                                        [&](const auto &made) { return made.first == *control.outline; });
                if (pen == outlinePens.end())
                    pen = outlinePens.emplace(outlinePens.end(), *control.outline, QPen(toQColor(*control.outline)));
                painter.setPen(pen->second);
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(box.adjusted(0, 0, -1, -1));
            }
            continue;
        }
        if (control.shape == FaceShape::Ellipse || control.shape == FaceShape::Line) {
            // Drawn on whole pixels, not blended: a one-pixel line stays one crisp pixel wide.
            painter.save();
            painter.setClipRect(box);
            painter.setPen(QPen(toQColor(control.outline.value_or(0)), control.lineWidth));
            painter.setBrush(control.fill ? QBrush(toQColor(*control.fill)) : QBrush(Qt::NoBrush));
            if (control.shape == FaceShape::Line)
                painter.drawLine(pixelPoint(control.segment.p1()), pixelPoint(control.segment.p2()));
            else
                painter.drawEllipse(box.adjusted(0, 0, -1, -1));
            painter.restore();
            continue;
        }
        painter.save();
        painter.setClipRect(box);
        if (control.fill)
            painter.fillRect(box, toQColor(*control.fill));
        if (control.shape == FaceShape::PushButton) {
            QStyleOptionButton button;
            button.rect = placePixels(control);
            button.state = QStyle::State_Enabled | QStyle::State_Raised;
            button.palette = QApplication::palette();
            QApplication::style()->drawControl(QStyle::CE_PushButtonBevel, &button, &painter);
        }
        if (control.picture >= 0 && size_t(control.picture) < pictures.size()) {
            const QImage &picture = pictures[size_t(control.picture)];
            if (!picture.isNull()) {
                const QRect place = placePixels(control);
                if (control.fit == PictureFit::Centre) {
                    // In logical pixels: a twin drawn for a dense screen takes the same room.
                    const QSizeF size = picture.deviceIndependentSize();
                    const QPointF corner = QRectF(place).center() - QPointF(size.width(), size.height()) / 2;
                    painter.drawImage(QPointF(std::round(corner.x()), std::round(corner.y())), picture);
                } else if (control.fit == PictureFit::Natural || picture.size() == place.size())
                    painter.drawImage(place.topLeft(), picture);
                else
                    painter.drawImage(place, picture);
            }
        }
        if (control.outline) {
            painter.setPen(toQColor(*control.outline));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(box.adjusted(0, 0, -1, -1));
        }
        if (!control.text.isEmpty() && control.font) {
            const FaceText &font = *control.font;
            painter.setFont(windowFont(font.family, font.points, font.bold));
            painter.setPen(toQColor(font.ink));
            painter.drawText(placePixels(control),
                             font.centred ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignTop, control.text);
        }
        painter.restore();
    }
}

} // namespace vrim
