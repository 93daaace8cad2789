#pragma once

#include "shell/AboutRules.h"
#include "ui/VrimWindow.h"

class QLabel;
class QPushButton;

namespace vrim {

class ClickLabel;
class Platform;

// frmAbout: who made the program, a way to its web site and to the desktop's system
// information. It keeps nothing; OK, Enter, Esc and the close box all unload it.
class AboutBox final : public VrimWindow {
    Q_OBJECT
public:
    AboutBox(WindowRegistry &registry, Platform &platform,
             about::FindOnPath findOnPath = about::findOnSystemPath);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    Platform &m_platform;
    about::FindOnPath m_findOnPath;
    QPushButton *m_ok;      // cmdOK
    QPushButton *m_sysInfo; // cmdSysInfo
};

} // namespace vrim
