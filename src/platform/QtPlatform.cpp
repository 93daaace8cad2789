#include "platform/QtPlatform.h"

#include "BuildConfig.h"
#include "platform/QtTimer.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QProcess>
#include <QUrl>

namespace vrim {

void QtMessages::inform(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(build::ProgramName), text,
                    QMessageBox::Ok);
    box.exec();
}

bool QtShell::openPage(const QString &address)
{
    return QDesktopServices::openUrl(QUrl(address));
}

bool QtShell::startProgram(const QString &program, const QStringList &arguments)
{
    return QProcess::startDetached(program, arguments);
}

std::unique_ptr<Timer> QtPlatform::makeTimer() { return std::make_unique<QtTimer>(); }

} // namespace vrim
