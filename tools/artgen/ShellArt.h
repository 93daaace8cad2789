// The program's own pictures: splash, launcher, help entry and link cursor.
#pragma once

#include <QFont>
#include <QString>

namespace artgen {

// The font of all drawn text, without hinting so it looks the same everywhere.
QFont titleFont(int pixelSize, bool bold);

void makeSplash(const QString &path);
void makeLauncher(const QString &path);
void makeHelpEntry(const QString &path);

// Link pointer: an arrow with a small globe. Hot spot is the arrow tip at
// (1, 1); whoever loads it must pass that to QCursor.
void makeLinkCursor(const QString &path);

} // namespace artgen
