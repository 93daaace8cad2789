#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

namespace vrim::test {

// A fresh program folder with the installation's folder names, never a real user's folder.
class TempProgramFolder {
public:
    TempProgramFolder()
    {
        QVERIFY2(m_dir.isValid(), "cannot make a temporary program folder");
        QDir(m_dir.path()).mkpath(QStringLiteral("Skins/Quenz"));
        QDir(m_dir.path()).mkpath(QStringLiteral("Sounds"));
    }
    QString path() const { return m_dir.path(); }
    QString file(const QString &relative) const { return m_dir.path() + u'/' + relative; }

    static QByteArray read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Writes the file, and the folders it is in.
    static void write(const QString &path, const QByteArray &bytes)
    {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

private:
    QTemporaryDir m_dir;
};

// A read-only folder means nothing to root: a test of one runs as nobody so that it does.
inline void runAsNobodyIfRoot()
{
    if (::geteuid() == 0)
        QVERIFY(::setgid(65534) == 0 && ::setuid(65534) == 0);
}

} // namespace vrim::test
