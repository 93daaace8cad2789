// Checks of the help's files as they lie in the tree, run by tools/make-help.sh and
// tools/make-samples.sh. Each failure is printed to standard error with the file it concerns.
#pragma once

#include <QString>

namespace vrim {

// Every page in repo/data/Helps is rich text made from its source in repo/docs/help by
// make-help.sh, remade since the source last changed (pages.sums), and says what its author
// wrote, word for word, as the program's own reader shows it.
bool checkHelpPages(const QString &repo);

// The sample pictures in `helps` and `art` are what their names say, at the size their window or
// picture box gives them.
bool checkSamplePictures(const QString &helps, const QString &art);

// The sample pictures kept in the tree are the ones the clocks draw now. Needs a QApplication.
bool checkSamplesAreCurrent(const QString &repo);

} // namespace vrim
