#pragma once

#include "nettime/InternetTime.h"
#include "ui/VrimWindow.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vrim {

class Platform;

// frmClient, "Ostran Time": the internet time beside the local time and the PC clock. It shows
// what InternetTime decides; closing it by any means shows the launcher.
class InternetTimeWindow final : public VrimWindow {
    Q_OBJECT
public:
    InternetTimeWindow(WindowRegistry &registry, Platform &platform);

    void unloading() override;
    InternetTime &model() { return m_model; }

private:
    void render();

    InternetTime m_model;
    QComboBox *m_servers;   // Combo1
    QPushButton *m_connect; // cmdConnect
    QPushButton *m_adjust;  // Command2
    QLineEdit *m_utc;       // txtOutput
    QLineEdit *m_local;     // LocalTime
    QLineEdit *m_pcClock;   // txt1
    QLabel *m_status;       // lblStatus
};

} // namespace vrim
