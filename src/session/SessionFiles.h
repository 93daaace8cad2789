#pragma once

#include <QString>

namespace vrim {

// Where the program keeps what belongs to the user's desktop session rather than to its clocks:
// the options file, the autostart entry and the record of the windows left open. They follow
// the XDG base directories, so a user moves them all by setting XDG_CONFIG_HOME and
// XDG_STATE_HOME; the settings files beside the program never hold any of it.
struct SessionFiles {
    QString options;   // $XDG_CONFIG_HOME/vrimclocks/vrimclocks.conf
    QString autostart; // $XDG_CONFIG_HOME/autostart/<app id>.desktop
    QString record;    // $XDG_STATE_HOME/vrimclocks/open-windows

    // The current user's, from the environment (a relative XDG path counts as unset).
    static SessionFiles forUser();
    // Under one folder: config/ and state/ inside it.
    static SessionFiles under(const QString &folder);
};

} // namespace vrim
