#include "BuildConfig.h"
#include "app/Program.h"
#include "platform/EarlySplash.h"
#include "platform/EndSignals.h"
#include "platform/QtPlatform.h"
#include "platform/RunningCopy.h"
#include "shell/LauncherModel.h"
#include "shell/SplashWindow.h"
#include "shell/Startup.h"
#include "ui/PngIconStyle.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMetaObject>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include <fontconfig/fontconfig.h>

namespace {

// Until the display is open, Qt's own complaints are held back: without a display it would
// print several lines and abort, where one plain sentence and an exit status serve better.
bool g_openingDisplay = true;
std::vector<std::string> g_heldBack;
QtMessageHandler g_qtHandler = nullptr;

constexpr char NoDisplay[] =
    "Vrim Clocks needs a graphical display, but none could be opened (is DISPLAY set?).\n";

void startupMessages(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (!g_openingDisplay) {
        if (g_qtHandler)
            g_qtHandler(type, context, text);
        else
            std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
        return;
    }
    if (type == QtFatalMsg) {
        std::fputs(NoDisplay, stderr);
        std::_Exit(EXIT_FAILURE);
    }
    g_heldBack.push_back(qFormatLogMessage(type, context, text).toStdString());
}

bool displayConfigured()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

} // namespace

int main(int argc, char *argv[])
{
    if (!displayConfigured()) {
        std::fputs(NoDisplay, stderr);
        return EXIT_FAILURE;
    }
    // Fontconfig reads its configuration and font caches, a good part of the start, the first
    // time a label lays out its text: the splash's labels wait for it. It starts here, beside the
    // display's opening and the settings' first writing, and is ready by then.
    const std::jthread fonts([] { FcInit(); });
    g_qtHandler = qInstallMessageHandler(startupMessages);
    // Last time's splash is up before Qt has even loaded its platform plug-in, unless this start
    // only brings a running copy forward.
    const QString programFolder = QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath()).path();
    const QString runningCopyPath = vrim::RunningCopy::socketPathFor(programFolder);
    // Settings beside the program, or in the user's data folder where the program is installed
    // out of the user's reach; the splash is kept beside them.
    const auto folders = vrim::DataFolders::forProgram(programFolder);
    vrim::EarlySplash early(QDir(folders.settingsHome()).filePath(QStringLiteral("Splash.kept")), argc, argv);
    if (!vrim::RunningCopy::isListening(runningCopyPath))
        early.show();
    QApplication app(argc, argv);
    g_openingDisplay = false;
    for (const std::string &line : g_heldBack)
        std::fprintf(stderr, "%s\n", line.c_str());

    QApplication::setApplicationName(QString::fromLatin1(vrim::build::ProgramName));
    QApplication::setApplicationVersion(QString::fromLatin1(vrim::build::Version));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(vrim::build::AppId));
    QApplication::setStyle(new vrim::PngIconStyle);
    // The program ends when its last window is unloaded, not when the last one is hidden.
    QApplication::setQuitOnLastWindowClosed(false);

    // Asked to end from outside (the session at logout, Ctrl+C in a terminal), the program leaves
    // every event loop, a message box's or a chooser's included, and closes its windows below.
    vrim::EndSignals endSignals;
    QObject::connect(&endSignals, &vrim::EndSignals::requested, qApp, [] { QCoreApplication::exit(0); });

    // One running copy per user and program folder, settled before anything touches the settings.
    vrim::RunningCopy runningCopy(runningCopyPath);
    switch (runningCopy.claim()) {
    case vrim::RunningCopy::Claim::First:
        break;
    case vrim::RunningCopy::Claim::HandedOver:
        return EXIT_SUCCESS;
    case vrim::RunningCopy::Claim::NoAnswer:
        std::fputs("Vrim Clocks is already running but does not answer.\n", stderr);
        return EXIT_FAILURE;
    }

    vrim::QtPlatform platform;
    vrim::Program program(
        platform, folders,
        [&runningCopy] {
            runningCopy.close(); // a later start now starts afresh
            QMetaObject::invokeMethod(
                qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
        },
        vrim::SessionFiles::forUser());
    QObject::connect(&runningCopy, &vrim::RunningCopy::asked, &program.registry(),
                     [&program] { vrim::comeForward(program.registry()); });
    program.onSplashPainted(
        [&early](vrim::SplashWindow &splash) { early.handOver(*splash.windowHandle(), splash.firstFrame()); });
    program.start();
    const int status = QApplication::exec();
    // Windows still open when a request to end came close as the launcher's Exit closes them,
    // now that no inner event loop runs on one of them.
    vrim::launcher::exitByBar(program.registry());
    return program.failed() ? EXIT_FAILURE : status;
}
