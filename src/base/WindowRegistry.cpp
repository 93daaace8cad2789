#include "base/WindowRegistry.h"

#include <algorithm>

namespace vrim {

void WindowRegistry::define(const QString &name, Factory factory) { m_factories[name] = std::move(factory); }

bool WindowRegistry::isDefined(const QString &name) const { return m_factories.contains(name); }

std::vector<WindowRegistry::Entry>::iterator WindowRegistry::find(const QString &name)
{
    return std::find_if(m_loaded.begin(), m_loaded.end(),
                        [&](const Entry &entry) { return entry.name == name; });
}

std::vector<WindowRegistry::Entry>::const_iterator WindowRegistry::find(const QString &name) const
{
    return std::find_if(m_loaded.begin(), m_loaded.end(),
                        [&](const Entry &entry) { return entry.name == name; });
}

bool WindowRegistry::show(const QString &requested, const std::function<void(ManagedWindow &)> &beforeShown)
{
    const QString name = requested;
    auto it = find(name);
    if (it == m_loaded.end()) {
        const auto factory = m_factories.find(name);
        if (factory == m_factories.end())
            return false;
        // The new window goes into the list before it is shown, so that whatever it opens
        // while showing itself comes after it in the load order.
        m_loaded.push_back({name, nullptr, false});
        std::unique_ptr<ManagedWindow> window = factory->second();
        it = find(name);
        if (!window) {
            m_loaded.erase(it);
            return false;
        }
        it->window = std::move(window);
    }
    if (!it->window)
        return true; // asked for again while it is being created
    // Presenting may run code that changes the list; only the pointer is stable.
    ManagedWindow *shown = it->window.get();
    if (beforeShown)
        beforeShown(*shown);
    shown->present();
    Q_EMIT windowChanged(name);
    return true;
}

void WindowRegistry::unload(const QString &requested)
{
    // A copy: the caller's string may live in the list that the closing behaviour reshapes.
    const QString name = requested;
    auto it = find(name);
    if (it == m_loaded.end() || it->unloading || !it->window)
        return;
    it->unloading = true;
    it->window->unloading();

    // The closing behaviour may have shown or unloaded other windows: look the entry up again.
    it = find(name);
    std::unique_ptr<ManagedWindow> gone = std::move(it->window);
    m_loaded.erase(it);
    gone.reset();
    Q_EMIT windowChanged(name);
    if (!anyShown())
        Q_EMIT lastWindowGone();
}

void WindowRegistry::closeAll()
{
    Q_EMIT closingAll();
    const int counted = int(m_loaded.size());
    for (int i = counted - 1; i >= 0; --i) {
        if (i < int(m_loaded.size()))
            unload(m_loaded[size_t(i)].name);
        // Some window's closing closed others as well: the ones left are past the sweep.
        if (i > int(m_loaded.size()))
            break;
    }
}

bool WindowRegistry::isLoaded(const QString &name) const { return find(name) != m_loaded.end(); }

bool WindowRegistry::anyShown() const
{
    return std::any_of(m_loaded.cbegin(), m_loaded.cend(),
                       [](const Entry &entry) { return entry.window && entry.window->isShown(); });
}

ManagedWindow *WindowRegistry::window(const QString &name) const
{
    const auto it = find(name);
    return it == m_loaded.end() ? nullptr : it->window.get();
}

QStringList WindowRegistry::loaded() const
{
    QStringList names;
    for (const Entry &entry : m_loaded)
        names.append(entry.name);
    return names;
}

} // namespace vrim
