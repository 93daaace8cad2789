#include "session/SessionFiles.h"

#include "BuildConfig.h"

#include <QDir>

namespace vrim {
namespace {

QString baseFolder(const char *variable, const char *fallback)
{
    const QString set = qEnvironmentVariable(variable);
    if (QDir::isAbsolutePath(set))
        return QDir::cleanPath(set);
    return QDir::homePath() + QLatin1Char('/') + QLatin1String(fallback);
}

SessionFiles inFolders(const QString &config, const QString &state)
{
    return {config + QStringLiteral("/vrimclocks/vrimclocks.conf"),
            config + QStringLiteral("/autostart/") + QLatin1String(build::AppId) + QStringLiteral(".desktop"),
            state + QStringLiteral("/vrimclocks/open-windows")};
}

} // namespace

SessionFiles SessionFiles::forUser()
{
    return inFolders(baseFolder("XDG_CONFIG_HOME", ".config"), baseFolder("XDG_STATE_HOME", ".local/state"));
}

SessionFiles SessionFiles::under(const QString &folder)
{
    return inFolders(folder + QStringLiteral("/config"), folder + QStringLiteral("/state"));
}

} // namespace vrim
