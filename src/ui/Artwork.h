#pragma once

#include <QImage>
#include <QString>

namespace vrim {

// Our own pictures are all PNG, which Qt reads itself. Told so, the reader goes straight to it;
// left to guess, it first loads every image plug-in on the system to ask each about the picture,
// a good part of the start when the splash is the first picture read.
QImage readPng(const QString &path);

// One of the program's own pictures from its resources: on a dense screen its twin drawn at twice
// the size ("name@2x.png"), marked so that it takes the same room as the plain one.
QImage loadArtwork(const QString &path, qreal ratio);

} // namespace vrim
