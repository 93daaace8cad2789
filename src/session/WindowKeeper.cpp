#include "session/WindowKeeper.h"

#include "base/WindowRegistry.h"
#include "platform/LocalFiles.h"
#include "platform/Platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <variant>

namespace vrim {
namespace {

constexpr qint64 MaxRecordSize = 16 * 1024; // ten short lines; anything bigger is not ours

} // namespace

WindowKeeper::WindowKeeper(WindowRegistry &registry, Platform &platform, QString record,
                           std::function<QList<QRect>()> screens)
    : m_registry(registry)
    , m_platform(platform)
    , m_record(std::move(record))
    , m_screens(std::move(screens))
    , m_settle(platform.makeTimer())
{
    connect(&registry, &WindowRegistry::windowChanged, this, &WindowKeeper::changed);
    connect(&registry, &WindowRegistry::closingAll, this, &WindowKeeper::stop);
    if (const QCoreApplication *program = QCoreApplication::instance())
        connect(program, &QCoreApplication::aboutToQuit, this, &WindowKeeper::stop);
    connect(m_settle.get(), &Timer::timeout, this, [this] {
        m_settle->stop();
        write();
    });
}

WindowKeeper::~WindowKeeper() = default;

void WindowKeeper::setKeeping(bool on)
{
    m_keeping = on;
    m_settle->stop();
    if (on) {
        write();
    } else if (QFileInfo(m_record).isFile() && !QFile::remove(m_record)) {
        m_platform.messages().warn(tr("The record of the open clocks, %1, could not be removed.")
                                       .arg(QDir::toNativeSeparators(m_record)));
    }
}

void WindowKeeper::changed(const QString &window)
{
    if (m_keeping && !m_reopening && openwindows::isKept(window))
        settle();
}

void WindowKeeper::settle()
{
    if (m_keeping && !m_stopped && !m_settle->isActive())
        m_settle->start(SettleMs);
}

void WindowKeeper::stop()
{
    if (m_settle->isActive()) {
        m_settle->stop();
        write();
    }
    m_stopped = true;
}

void WindowKeeper::write()
{
    if (!m_keeping || m_stopped)
        return;
    QList<openwindows::Kept> open;
    for (const QString &name : m_registry.loaded()) {
        const ManagedWindow *window = m_registry.window(name);
        if (!openwindows::isKept(name) || !window || !window->isShown())
            continue;
        if (const std::optional<WindowPlace> place = window->place())
            open.append({name, place->frame.topLeft(), place->onTop});
    }
    QString why;
    if (!QDir().mkpath(QFileInfo(m_record).path()))
        why = tr("its folder could not be made");
    else if (auto problem = files::writeWhole(m_record, openwindows::format(open)))
        why = *problem;
    // Tried again at the next change, for a full disk may have room by then; said once until a
    // save succeeds, for the record is written at every move.
    if (!why.isEmpty() && !m_failing)
        m_platform.messages().warn(tr("The record of the open clocks, %1, could not be saved: %2. It is "
                                      "saved again at the next change, once it can be.")
                                       .arg(QDir::toNativeSeparators(m_record), why));
    m_failing = !why.isEmpty();
}

void WindowKeeper::reopen()
{
    if (!QFileInfo::exists(m_record))
        return;
    const files::Contents contents = files::readRegularFile(m_record, MaxRecordSize);
    std::variant<QList<openwindows::Kept>, QString> read;
    if (!contents.ok())
        read = tr("cannot be read: %1").arg(contents.problem);
    else if (!contents.complete)
        read = tr("is far larger than any record of ours");
    else
        read = openwindows::parse(contents.bytes);
    if (const QString *why = std::get_if<QString>(&read)) {
        m_platform.messages().warn(
            tr("The record of the open clocks, %1, could not be used: it %2. The clocks "
               "open as the launcher opens them.")
                .arg(QDir::toNativeSeparators(m_record), *why));
        return;
    }
    m_reopening = true;
    const QList<QRect> screens = m_screens ? m_screens() : QList<QRect>{};
    for (const openwindows::Kept &kept : std::get<QList<openwindows::Kept>>(read)) {
        m_registry.show(kept.name, [&](ManagedWindow &window) {
            if (const std::optional<WindowPlace> now = window.place()) {
                const QRect frame(kept.topLeft, now->frame.size());
                window.putAt({QRect(openwindows::ontoScreens(frame, screens), frame.size()), kept.onTop});
            }
        });
    }
    m_reopening = false;
}

} // namespace vrim
