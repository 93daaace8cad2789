#pragma once

#include "platform/Platform.h"
#include "platform/SystemClockSetter.h"

#include <QImage>
#include <QList>
#include <QMessageBox>
#include <QPointer>
#include <QTemporaryDir>

class QWindow;

namespace vrim {

// Reads a picture file, refusing anything that is not a regular file (a pipe would hold the
// window for ever) and any file too large to be a picture. A null image comes with the reason.
QImage loadPicture(const QString &path, QString *problem, bool autoTransform = false);

class QtMessages final : public Messages {
public:
    QtMessages() = default;
    QtMessages(const QtMessages &) = delete;
    QtMessages &operator=(const QtMessages &) = delete;
    ~QtMessages() override;
    void inform(const QString &text) override;
    void warn(const QString &text) override;

private:
    // `opener`: the window the box belongs to, when it is known before the box is shown.
    void showWarning(const QString &text, QWindow *opener = nullptr);

    QList<QPointer<QMessageBox>> m_warnings; // the warning boxes still open
    QStringList m_waiting;                   // the words of warnings still to be shown, in order
};

class QtShell final : public Shell {
public:
    bool openPage(const QString &address) override;
    bool startProgram(const QString &program, const QStringList &arguments) override;
};

class QtChoosers final : public Choosers {
public:
    QString chooseFile(const QString &filterList, int selected, const QString &lastName,
                       const QString &startFolder) override;
    std::optional<ColourValue> chooseColour(ColourValue start) override;
};

class QtPictures final : public Pictures {
public:
    QString problemShowing(const QString &path) override;
};

class QtPlatform final : public Platform {
public:
    QtPlatform();
    Messages &messages() override { return m_messages; }
    Shell &shell() override { return m_shell; }
    std::unique_ptr<Timer> makeTimer() override;
    std::unique_ptr<SoundPlayer> makePlayer() override;
    std::unique_ptr<TcpReader> makeTcpReader() override;
    TimeSource &time() override { return m_time; }
    Choosers &choosers() override { return m_choosers; }
    Pictures &pictures() override { return m_pictures; }
    ClockSetter &clockSetter() override { return m_clockSetter; }

private:
    QTemporaryDir m_qtSettings; // where Qt's own widgets keep their history, gone at exit
    QtChoosers m_choosers;
    QtPictures m_pictures;
    SystemTimeSource m_time;
    QtMessages m_messages;
    QtShell m_shell;
    SystemClockSetter m_clockSetter;
};

} // namespace vrim
