#pragma once

#include <QObject>
#include <QString>

namespace vrim {

// The text slot through which a Skin Manager asks its clock to re-read its settings. It holds
// "refrsh" from the moment it is raised until the clock's next tick takes it, so several raises
// before a tick give one reload.
class RefreshSignal : public QObject {
    Q_OBJECT
public:
    static QString raisedText() { return QStringLiteral("refrsh"); }

    void raise()
    {
        m_carrier = raisedText();
        Q_EMIT raised();
    }

    // Answers whether a reload is due and clears the carrier when it is. Any other text in the
    // carrier (some clocks keep values of their own there) is left alone.
    bool take()
    {
        if (m_carrier != raisedText())
            return false;
        m_carrier.clear();
        return true;
    }

    const QString &carrier() const { return m_carrier; }
    void setCarrier(const QString &text) { m_carrier = text; }

Q_SIGNALS:
    // Lets the clock run its next pass at once instead of at the next second.
    void raised();

private:
    QString m_carrier;
};

} // namespace vrim
