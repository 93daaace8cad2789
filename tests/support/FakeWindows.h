#pragma once

#include "base/WindowRegistry.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QStringList>

#include <functional>
#include <map>

namespace vrim::test {

// Windows that write down what happens to them, with a closing behaviour a test can set.
class WindowLog {
public:
    QStringList events;
    std::map<QString, std::function<void()>> onUnloading;

    void define(WindowRegistry &registry, const QString &name)
    {
        registry.define(name, [this, name]() -> std::unique_ptr<ManagedWindow> {
            events.append(QStringLiteral("load ") + name);
            return std::make_unique<Window>(*this, name);
        });
    }

private:
    class Window final : public ManagedWindow {
    public:
        Window(WindowLog &log, QString name)
            : m_log(log)
            , m_name(std::move(name))
        {}
        ~Window() override { m_log.events.append(QStringLiteral("gone ") + m_name); }
        void present() override { m_log.events.append(QStringLiteral("show ") + m_name); }
        void unloading() override
        {
            m_log.events.append(QStringLiteral("unload ") + m_name);
            if (const auto it = m_log.onUnloading.find(m_name); it != m_log.onUnloading.end())
                it->second();
        }

    private:
        WindowLog &m_log;
        QString m_name;
    };
};

// A registry of windows that write down what happens to them.
struct StandIns {
    WindowLog log; // outlives the registry, whose windows write to it
    WindowRegistry registry;
    QSignalSpy ends{&registry, &WindowRegistry::lastWindowGone};

    explicit StandIns(const QStringList &names)
    {
        for (const QString &name : names)
            log.define(registry, name);
    }
    QStringList logged(const QString &what) const
    {
        return log.events.filter(QRegularExpression(QStringLiteral("^%1 ").arg(what)));
    }
};

} // namespace vrim::test
