#pragma once

#include "base/Design.h"
#include "settings/DataFolders.h"
#include "settings/DesignFiles.h"

#include <QByteArray>
#include <QString>

#include <array>

namespace vrim {

struct SkinSettings {
    QString picture;
    QString centre; // Norvi only: the centre picture
    bool operator==(const SkinSettings &) const = default;
};

struct SoundSettings {
    QString sound;
    QString interval;
    bool operator==(const SoundSettings &) const = default;
};

struct LumboSettings {
    qint32 innerColour = 0;
    qint32 outerColour = 0;
    qint16 frameBorder = 0;
    qint16 soundSwitch = 0;
    bool operator==(const LumboSettings &) const = default;
};

// What a reader hands back: the values to use, and when the file could not be used, a message
// naming it and saying what is wrong (the values are then that file's defaults).
template <typename T>
struct Loaded {
    T value;
    QString problem;
    bool ok() const { return problem.isEmpty(); }
};

// A save either completes or leaves the old file as it was and says why.
struct Saved {
    QString problem;
    bool ok() const { return problem.isEmpty(); }
};

class SettingsStore {
public:
    explicit SettingsStore(DataFolders folders);

    static QString skinFileName(Design design);
    static QString soundFileName(Design design);
    static QString lumboFileName();

    SkinSettings defaultSkin(Design design) const;
    SoundSettings defaultSound(Design design) const;
    static LumboSettings defaultLumbo();

    Loaded<SkinSettings> readSkin(Design design) const;
    Loaded<SoundSettings> readSound(Design design) const;
    Loaded<LumboSettings> readLumbo() const;
    // What those make of the bytes of the file at `path` once read whole.
    Loaded<SkinSettings> skinFromBytes(Design design, const QByteArray &bytes, const QString &path) const;
    Loaded<SoundSettings> soundFromBytes(Design design, const QByteArray &bytes, const QString &path) const;
    Loaded<LumboSettings> lumboFromBytes(const QByteArray &bytes, const QString &path) const;

    [[nodiscard]] Saved writeSkin(Design design, const SkinSettings &skin) const;
    [[nodiscard]] Saved writeSound(Design design, const SoundSettings &sound) const;
    [[nodiscard]] Saved writeLumbo(const LumboSettings &lumbo) const;
    // Both files of a design, or neither: when one cannot be saved, both are left as they were.
    [[nodiscard]] Saved writeSkinAndSound(Design design, const SkinSettings &skin,
                                          const SoundSettings &sound) const;

    // First start: makes the settings folder with all thirteen files and their defaults, or,
    // when that fails, no settings folder at all.
    [[nodiscard]] Saved writeDefaults() const;
    // Removes what a start or a save killed half-way left behind: a settings folder that was
    // being built, and temporary files beside the settings files.
    void clearLeftovers() const;

    QString filePath(const QString &fileName) const;
    const DataFolders &folders() const { return m_folders; }

private:
    DataFolders m_folders;
};

} // namespace vrim
