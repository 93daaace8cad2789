// Writing the generated files, and counting any that fail.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

#include <vector>

namespace artgen {

// Sounds are mono, all at one sample rate.
constexpr int kRate = 22050;
using Wave = std::vector<double>;

// Prints one line per file; failures are counted for the exit status.
void report(const QString &path, bool ok, const QString &what);
int failureCount();

// The format follows the file's suffix.
void saveImage(const QString &path, const QImage &img);

// Qt reads GIF but cannot write it, so the GIF skin is LZW-encoded here. The
// picture must use at most 256 exact colours; we draw it that way rather
// than dithering. Fully transparent pixels become the file's one transparent
// colour.
void saveGif(const QString &path, const QImage &img);

// A Qt resource list of `files` (relative to the list) under `prefix`.
void saveResourceList(const QString &path, const QString &prefix, const QStringList &files);

// 16-bit mono PCM in a hand-written RIFF container.
void saveWav(const QString &path, const Wave &w);

} // namespace artgen
