#include "platform/Modules.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>

#include <dlfcn.h>

namespace vrim::modules {

QString pathOf(const char *name)
{
    // applicationDirPath() reads the program's own file (/proc/self/exe), links resolved.
    return QCoreApplication::applicationDirPath() + QStringLiteral("/modules/") + QLatin1String(name) +
           QStringLiteral(".so");
}

void *entry(const char *name, const char *symbol)
{
    // Each module is opened once, whether that worked or not; modules are never unloaded.
    static QHash<QByteArray, void *> opened;
    const QByteArray key(name);
    auto found = opened.find(key);
    if (found == opened.end()) {
        const QString path = pathOf(name);
        void *handle = ::dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
        if (!handle)
            qWarning("Vrim Clocks cannot load its %s module: %s", name, ::dlerror());
        found = opened.insert(key, handle);
    }
    if (!*found)
        return nullptr;
    void *address = ::dlsym(*found, symbol);
    if (!address)
        qWarning("Vrim Clocks' %s module has no %s", name, symbol);
    return address;
}

} // namespace vrim::modules
