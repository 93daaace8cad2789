#pragma once

#include "base/ManagedWindow.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace vrim {

class RefreshSignal;

// The program's windows by name: at most one of each, created when first shown, all state
// dropped when unloaded. The program ends when the last one on the screen goes: a hidden window
// left loaded alone would keep it running with nothing to close it by.
class WindowRegistry : public QObject {
    Q_OBJECT
public:
    using Factory = std::function<std::unique_ptr<ManagedWindow>()>;

    void define(const QString &name, Factory factory);
    bool isDefined(const QString &name) const;

    // Creates the window if it is not loaded, then shows it and brings it forward; `beforeShown`
    // may place it first. Answers false, doing nothing, for a window this build does not have.
    bool show(const QString &name, const std::function<void(ManagedWindow &)> &beforeShown = {});
    void unload(const QString &name);
    // Unloads every loaded window, newest first. Windows shown by another window's closing
    // behaviour during the sweep come after the ones counted and are left open.
    void closeAll();

    bool isLoaded(const QString &name) const;
    bool anyShown() const;
    ManagedWindow *window(const QString &name) const;
    QStringList loaded() const; // in load order

    // A window tells that the user moved it or changed how it stays on the screen.
    void noteChanged(const QString &name) { Q_EMIT windowChanged(name); }

Q_SIGNALS:
    // A window was shown, unloaded, moved or changed as noteChanged() says.
    void windowChanged(const QString &name);
    // closeAll() is about to sweep: the windows that go now go because the program ends.
    void closingAll();
    // An unload left no window shown: none loaded, or only hidden ones.
    void lastWindowGone();

private:
    struct Entry {
        QString name;
        std::unique_ptr<ManagedWindow> window;
        bool unloading = false;
    };
    std::vector<Entry>::iterator find(const QString &name);
    std::vector<Entry>::const_iterator find(const QString &name) const;

    std::map<QString, Factory> m_factories;
    std::vector<Entry> m_loaded;
};

} // namespace vrim
