// The program's own pictures: splash, launcher, help entry and link cursor.
#pragma once

#include <QFont>
#include <QString>

namespace artgen {

// The font of all drawn text, without hinting so it looks the same everywhere.
QFont titleFont(int pixelSize, bool bold);

// Each drawn at `scale` times its size: 2 makes the twin a dense screen shows ("name@2x.png").
void makeSplash(const QString &path, double scale = 1.0);
void makeLauncher(const QString &path, double scale = 1.0);
void makeHelpEntry(const QString &path, double scale = 1.0);

// Link pointer: an arrow with a small globe. Hot spot is the arrow tip at
// (1, 1); whoever loads it must pass that to QCursor.
void makeLinkCursor(const QString &path);

} // namespace artgen
