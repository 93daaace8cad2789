#include "platform/QtPlatform.h"

#include "BuildConfig.h"
#include "platform/SocketTcpReader.h"
#include "platform/QtSoundPlayer.h"
#include "platform/QtTimer.h"

#include "platform/FileFilters.h"
#include "platform/InFront.h"
#include "platform/LocalFiles.h"

#include <QBuffer>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageReader>
#include <QMessageBox>
#include <QProcess>
#include <QSettings>
#include <QTimer>
#include <QUrl>
#include <QWindow>

namespace vrim {
namespace {

// Runs a dialog that waits for its answer, in front of the windows it was opened over.
int execInFront(QDialog &dialog)
{
    infront::prepare(&dialog);
    QTimer::singleShot(0, &dialog, [&dialog] { infront::bringForward(&dialog); });
    return dialog.exec();
}

} // namespace

void QtMessages::inform(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(build::ProgramName), text, QMessageBox::Ok);
    execInFront(box);
}

QtMessages::~QtMessages()
{
    // A warning still open when the program ends goes with it.
    for (const QPointer<QMessageBox> &box : std::as_const(m_warnings))
        delete box.data();
}

void QtMessages::warn(const QString &text)
{
    // The same words again while their box is open: bring that box forward instead; while they
    // wait their turn, they are already there.
    m_warnings.removeAll(nullptr);
    for (const QPointer<QMessageBox> &open : std::as_const(m_warnings)) {
        if (open->text() == text) {
            open->raise();
            return;
        }
    }
    if (m_waiting.contains(text))
        return;
    // One box at a time, in the order the troubles were found: a box shown over the earlier ones
    // would be read first (a clock with two damaged files would name its sound file first).
    if (!m_warnings.isEmpty()) {
        m_waiting.append(text);
        return;
    }
    showWarning(text);
}

void QtMessages::showWarning(const QString &text, QWindow *opener)
{
    auto *box =
        new QMessageBox(QMessageBox::Warning, QString::fromLatin1(build::ProgramName), text, QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    QObject::connect(box, &QDialog::finished, box, [this, box] {
        m_warnings.removeAll(box);
        // The next waiting box is about the same window as this one: the user's last press was
        // on this box, which is going.
        if (m_warnings.isEmpty() && !m_waiting.isEmpty())
            showWarning(m_waiting.takeFirst(),
                        box->windowHandle() ? box->windowHandle()->transientParent() : nullptr);
    });
    m_warnings.append(box);
    // Shown once the window that found the trouble is: a clock reports a damaged file while it
    // loads, before it is on the screen, and its box belongs in front of it.
    QTimer::singleShot(0, box, [box, opener = QPointer<QWindow>(opener)] {
        infront::prepare(box);
        if (opener) {
            box->winId(); // the native window, to be made transient
            box->windowHandle()->setTransientParent(opener);
        }
        box->show();
        infront::bringForward(box);
    });
}

bool QtShell::openPage(const QString &address) { return QDesktopServices::openUrl(QUrl(address)); }

bool QtShell::startProgram(const QString &program, const QStringList &arguments)
{
    return QProcess::startDetached(program, arguments);
}

QString QtChoosers::chooseFile(const QString &filterList, int selected, const QString &lastName,
                               const QString &startFolder)
{
    QStringList filters;
    for (const FileFilter &filter : parseFileFilters(filterList)) {
        // "JPG Files (*.jpg)" shows the patterns we really use: "JPG Files (*.jpg *.JPG)".
        const QString name = filter.description.section(QStringLiteral(" ("), 0, 0);
        filters.append(name + QStringLiteral(" (") + filter.patterns.join(u' ') + u')');
    }
    QFileDialog dialog(nullptr, QString(), lastName.isEmpty() ? startFolder : QFileInfo(lastName).path());
    // A desktop's own chooser keeps its own history in the user's folders; Qt's keeps it where
    // QtPlatform says. The program keeps nothing outside its own folder.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(filters);
    if (selected >= 0 && selected < filters.size())
        dialog.selectNameFilter(filters.at(selected));
    if (!lastName.isEmpty())
        dialog.selectFile(QFileInfo(lastName).fileName());
    if (execInFront(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

std::optional<ColourValue> QtChoosers::chooseColour(ColourValue start)
{
    QColorDialog dialog(QColor(redOf(start), greenOf(start), blueOf(start)));
    // Qt's own chooser, like the file chooser: the same on every desktop.
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (execInFront(dialog) != QDialog::Accepted)
        return std::nullopt;
    const QColor chosen = dialog.selectedColor();
    return rgbValue(chosen.red(), chosen.green(), chosen.blue());
}

namespace {

quint32 littleEndian32(const QByteArray &bytes, qsizetype at)
{
    quint32 value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes.at(at + i));
    return value;
}

// Whether the file stops before the end its own format marks. The decoders show what they got of
// such a file and fill the rest with grey, without a word; the program says so instead.
bool isCutShort(const QByteArray &bytes)
{
    if (bytes.startsWith("\xFF\xD8")) {
        // A JPEG ends its last scan with the end-of-image marker (an embedded thumbnail has a scan
        // and an end of its own, both before the picture's last scan).
        const qsizetype lastScan = bytes.lastIndexOf("\xFF\xDA");
        return lastScan >= 0 && bytes.indexOf("\xFF\xD9", lastScan) < 0;
    }
    if (bytes.startsWith("GIF8"))
        return !bytes.endsWith('\x3B'); // the trailer byte
    if (bytes.startsWith("BM") && bytes.size() >= 6)
        return littleEndian32(bytes, 2) > quint64(bytes.size()); // the size its header gives
    return false;
}

} // namespace

QImage loadPicture(const QString &path, QString *problem, bool autoTransform)
{
    constexpr qint64 MaxPictureBytes = 64 * 1024 * 1024;
    // A skin is a few hundred pixels across; a photograph from a camera may serve as one too.
    // Anything beyond this (a few bytes can claim a picture of gigabytes) is refused unread.
    constexpr qint64 MaxPixels = 32 * 1000 * 1000;
    const files::Contents contents = files::readRegularFile(path, MaxPictureBytes);
    if (!contents.ok()) {
        *problem = contents.problem;
        return {};
    }
    if (!contents.complete) {
        *problem = QObject::tr("it is larger than %1 MB").arg(MaxPictureBytes / (1024 * 1024));
        return {};
    }
    if (contents.bytes.isEmpty()) {
        *problem = QObject::tr("the file is empty");
        return {};
    }
    // The decoders' own guard as well, should a format not tell its size before decoding.
    QImageReader::setAllocationLimit(int(MaxPixels * 4 / (1024 * 1024)) + 1);
    QBuffer buffer;
    buffer.setData(contents.bytes);
    QImageReader reader(&buffer);
    reader.setAutoTransform(autoTransform);
    if (!reader.canRead()) {
        *problem = QObject::tr("it is not a picture (JPEG, GIF, BMP or PNG)");
        return {};
    }
    if (const QSize size = reader.size();
        size.isValid() && qint64(size.width()) * size.height() > MaxPixels) {
        *problem = QObject::tr("it is %1 × %2 pixels, more than %3 million")
                       .arg(size.width())
                       .arg(size.height())
                       .arg(MaxPixels / 1000000);
        return {};
    }
    if (isCutShort(contents.bytes)) {
        *problem = QObject::tr("the file is cut short");
        return {};
    }
    const QImage image = reader.read();
    if (image.isNull())
        *problem = QObject::tr("its picture data is damaged");
    return image;
}

QString QtPictures::problemShowing(const QString &path)
{
    if (path.isEmpty())
        return QStringLiteral("no picture chosen");
    QString problem;
    if (loadPicture(path, &problem).isNull())
        return problem;
    return {};
}

QtPlatform::QtPlatform()
{
    infront::watchOpeners();
    // Qt's file dialog writes its history and view settings to the user's configuration folder
    // when it closes. The program keeps no settings outside its own folder, so Qt's settings go
    // to a private folder that is removed when the program ends.
    const QString folder = m_qtSettings.isValid() ? m_qtSettings.path() : QStringLiteral("/dev/null");
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, folder);
}

std::unique_ptr<Timer> QtPlatform::makeTimer() { return std::make_unique<QtTimer>(); }

std::unique_ptr<SoundPlayer> QtPlatform::makePlayer() { return std::make_unique<QtSoundPlayer>(); }

std::unique_ptr<TcpReader> QtPlatform::makeTcpReader() { return std::make_unique<SocketTcpReader>(); }

} // namespace vrim
