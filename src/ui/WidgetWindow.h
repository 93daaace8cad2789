#pragma once

#include "base/ManagedWindow.h"
#include "ui/VrimWindow.h"

#include <QPointer>

namespace vrim {

// Lets the registry own a widget window. The widget is deleted later, since a window often
// unloads itself from inside one of its own event handlers.
class WidgetWindow final : public ManagedWindow {
public:
    explicit WidgetWindow(VrimWindow *widget);
    ~WidgetWindow() override;
    void present() override;
    void unloading() override;
    RefreshSignal *refreshSignal() override { return m_widget ? m_widget->refreshSignal() : nullptr; }
    void setPageKey(const QString &key) override
    {
        if (m_widget)
            m_widget->setPageKey(key);
    }
    bool isShown() const override { return m_widget && m_widget->isVisible(); }
    std::optional<WindowPlace> place() const override;
    void putAt(const WindowPlace &place) override;

    VrimWindow *widget() const { return m_widget; }

private:
    QPointer<VrimWindow> m_widget;
};

} // namespace vrim
