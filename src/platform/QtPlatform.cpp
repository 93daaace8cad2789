#include "platform/QtPlatform.h"

#include "BuildConfig.h"
#include "platform/QtSoundPlayer.h"
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

void QtMessages::warn(const QString &text)
{
    auto *box = new QMessageBox(QMessageBox::Warning, QString::fromLatin1(build::ProgramName), text,
                                QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
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

std::unique_ptr<SoundPlayer> QtPlatform::makePlayer() { return std::make_unique<QtSoundPlayer>(); }

} // namespace vrim
