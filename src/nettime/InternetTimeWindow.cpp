#include "nettime/InternetTimeWindow.h"

#include "base/WindowNames.h"
#include "help/HelpPage.h"
#include "nettime/DaytimeHosts.h"
#include "platform/Platform.h"
#include "ui/Controls.h"
#include "ui/Fonts.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace vrim {
InternetTimeWindow::InternetTimeWindow(WindowRegistry &registry, Platform &platform)
    : VrimWindow(registry, window::InternetTime,
                 Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                     Qt::WindowMinimizeButtonHint)
    , m_model(platform.time(), platform.makeTimer(), [&platform] { return platform.makeTcpReader(); },
              platform.clockSetter(), platform.time().zone())
{
    setWindowTitle(QStringLiteral("Ostran Time"));
    closeOnEscape();
    setFixedSize(360, 280);
    setFont(defaultWindowFont());

    makeLabel(this, QStringLiteral("Label1"), QRect(12, 8, 210, 18),
              QStringLiteral("Chose a Time Server from the List"));
    m_servers = new QComboBox(this);
    m_servers->setObjectName(QStringLiteral("Combo1"));
    m_servers->setGeometry(12, 28, 200, 24);
    for (const daytime::Server &server : daytime::servers())
        m_servers->addItem(QString::fromLatin1(server.label));
    m_servers->setCurrentIndex(-1);
    connect(m_servers, &QComboBox::activated, this, [this] { m_model.serverChosen(); });

    // Each caption names its field for a screen reader (a label's buddy is what it labels).
    makeLabel(this, QStringLiteral("Label2"), QRect(12, 64, 200, 18), QStringLiteral("UTC   TIME"))
        ->setBuddy(m_utc = makeShowingField(this, QStringLiteral("txtOutput"), QRect(12, 82, 200, 24)));
    makeLabel(this, QStringLiteral("Label3"), QRect(12, 114, 200, 18), QStringLiteral("LOCAL  TIME"))
        ->setBuddy(m_local = makeShowingField(this, QStringLiteral("LocalTime"), QRect(12, 132, 200, 24)));
    makeLabel(this, QStringLiteral("Label4"), QRect(12, 164, 200, 18), QStringLiteral("PC Clock"))
        ->setBuddy(m_pcClock = makeShowingField(this, QStringLiteral("txt1"), QRect(12, 182, 200, 24)));
    m_servers->setAccessibleName(QStringLiteral("Time Server"));

    m_connect =
        makeButton(this, QStringLiteral("cmdConnect"), QRect(228, 28, 120, 26), QStringLiteral("Connect"));
    connect(m_connect, &QPushButton::clicked, this,
            [this] { m_model.connectClicked(m_servers->currentText()); });
    auto *disconnect =
        makeButton(this, QStringLiteral("Command1"), QRect(228, 60, 120, 26), QStringLiteral("Disconnect"));
    connect(disconnect, &QPushButton::clicked, this, [this] { m_model.disconnectClicked(); });
    m_adjust = makeButton(this, QStringLiteral("Command2"), QRect(228, 130, 120, 26),
                          QStringLiteral("Adjust PC Clock"));
    m_adjust->setToolTip(QStringLiteral("Time will be updated before processing"));
    connect(m_adjust, &QPushButton::clicked, this, [this] { m_model.adjustClicked(); });
    auto *help =
        makeButton(this, QStringLiteral("Command4"), QRect(228, 180, 56, 26), QStringLiteral("Help"));
    connect(help, &QPushButton::clicked, this,
            [this] { showHelpPage(this->registry(), QStringLiteral("Ostrana")); });
    auto *close =
        makeButton(this, QStringLiteral("Command3"), QRect(292, 180, 56, 26), QStringLiteral("Close"));
    connect(close, &QPushButton::clicked, this, [this] { this->registry().unload(windowName()); });

    m_status = makeLabel(this, QStringLiteral("lblStatus"), QRect(12, 218, 336, 54), QString());
    m_status->setWordWrap(true);
    m_status->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    connect(&m_model, &InternetTime::changed, this, &InternetTimeWindow::render);
    render();
    if (const QString message = m_model.load(); !message.isEmpty())
        platform.messages().warn(message);
}

void InternetTimeWindow::render()
{
    m_connect->setEnabled(m_model.connectEnabled());
    m_adjust->setEnabled(m_model.adjustEnabled());
    m_utc->setText(m_model.utcText());
    m_local->setText(InternetTime::maskedText(m_model.localTime()));
    m_pcClock->setText(InternetTime::maskedText(m_model.pcClock()));
    m_status->setText(m_model.status());
}

void InternetTimeWindow::unloading()
{
    disconnect(&m_model, &InternetTime::changed, this, nullptr);
    registry().show(window::Launcher);
}

} // namespace vrim
