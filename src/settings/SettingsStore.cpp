#include "settings/SettingsStore.h"

#include "platform/LocalFiles.h"
#include "settings/ChimeRules.h"
#include "settings/SettingsFormat.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <optional>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vrim {
namespace {

constexpr qint64 MaxSettingsFileSize = 64 * 1024; // a few paths; anything bigger is not ours
constexpr qsizetype MaxLineLength = 4096;         // the longest path the system takes

// The files of a design that has them; the others never get here.
const DesignFiles &filesFor(Design design)
{
    const DesignFiles *files = filesOf(design);
    Q_ASSERT(files);
    return *files;
}

const QString &DefaultInterval = interval::FiveMinutes;

QString tr(const char *text) { return QCoreApplication::translate("SettingsStore", text); }

// Reads a whole settings file, or says why it cannot.
std::optional<QByteArray> readFile(const QString &path, QString *problem)
{
    if (!QFileInfo::exists(path)) {
        *problem = tr("The settings file %1 is missing.").arg(QDir::toNativeSeparators(path));
        return std::nullopt;
    }
    files::Contents contents = files::readRegularFile(path, MaxSettingsFileSize);
    if (!contents.ok()) {
        *problem = tr("The settings file %1 cannot be read: %2.")
                       .arg(QDir::toNativeSeparators(path), contents.problem);
        return std::nullopt;
    }
    if (!contents.complete) {
        *problem = tr("The settings file %1 is damaged: it is larger than %2 KB, far more than any "
                      "settings file holds.")
                       .arg(QDir::toNativeSeparators(path))
                       .arg(MaxSettingsFileSize / 1024);
        return std::nullopt;
    }
    return std::move(contents.bytes);
}

// The first `count` lines of the bytes of the settings file at `path`, or why they are unusable.
std::optional<QStringList> linesOf(const QByteArray &bytes, const QString &path, int count, QString *problem)
{
    int found = 0;
    auto lines = prf::firstLines(bytes, count, &found);
    if (!lines) {
        *problem = tr("The settings file %1 is incomplete: it holds %2 of its %3 lines.")
                       .arg(QDir::toNativeSeparators(path))
                       .arg(found)
                       .arg(count);
        return lines;
    }
    for (qsizetype i = 0; i < lines->size(); ++i) {
        if (lines->at(i).size() > MaxLineLength) {
            *problem = tr("The settings file %1 is damaged: line %2 is %3 characters long, too long "
                          "for any setting (it starts %4).")
                           .arg(QDir::toNativeSeparators(path))
                           .arg(i + 1)
                           .arg(lines->at(i).size())
                           .arg(files::shortQuote(lines->at(i).left(30)));
            return std::nullopt;
        }
        if (prf::hasControlCharacters(lines->at(i))) {
            *problem = tr("The settings file %1 is damaged: line %2 holds control characters, which no "
                          "setting has (it reads %3).")
                           .arg(QDir::toNativeSeparators(path))
                           .arg(i + 1)
                           .arg(files::shortQuote(lines->at(i), 40));
            return std::nullopt;
        }
    }
    return lines;
}

QString errnoText() { return QString::fromLocal8Bit(std::strerror(errno)); }

QString notSaved(const QString &path, const QString &why)
{
    return tr("The settings file %1 could not be saved: %2. It was left as it was.")
        .arg(QDir::toNativeSeparators(path), why);
}

// The settings file at `path` as it was before a save of two files, so that the first can be
// put back when the second cannot be put in place. It is kept under a second name (a hard link
// to the same file), or where the disk has no such links, as its bytes.
class Keeper {
public:
    explicit Keeper(const QString &path)
    {
        QFileInfo info(path);
        // A save through a link replaces the file it points to.
        m_target = files::nativeName(info.isSymLink() ? info.canonicalFilePath() : path);
        m_existed = info.exists();
        if (!m_existed)
            return;
        static constexpr char Letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
        for (int attempt = 0; attempt < 100 && m_kept.isEmpty(); ++attempt) {
            // Named as a save's temporary file is, so that a start after a crash clears it away.
            QByteArray name = m_target + '.';
            for (int i = 0; i < 6; ++i)
                name += Letters[QRandomGenerator::global()->bounded(int(sizeof Letters - 1))];
            if (::link(m_target.constData(), name.constData()) == 0)
                m_kept = name;
            else if (errno != EEXIST)
                break;
        }
        if (m_kept.isEmpty()) {
            QFile file(QFile::decodeName(m_target));
            if (file.open(QIODevice::ReadOnly))
                m_bytes = file.readAll();
        }
    }
    ~Keeper()
    {
        if (!m_kept.isEmpty())
            ::unlink(m_kept.constData());
    }
    Keeper(const Keeper &) = delete;
    Keeper &operator=(const Keeper &) = delete;

    // Whether the file as it was can be put back.
    bool ready() const { return !m_existed || !m_kept.isEmpty() || m_bytes; }

    void putBack()
    {
        if (!m_existed) {
            ::unlink(m_target.constData());
        } else if (!m_kept.isEmpty()) {
            if (::rename(m_kept.constData(), m_target.constData()) == 0)
                m_kept.clear();
        } else if (m_bytes) {
            files::writeWhole(QFile::decodeName(m_target), *m_bytes);
        }
    }

private:
    QByteArray m_target;
    QByteArray m_kept;
    std::optional<QByteArray> m_bytes;
    bool m_existed = false;
};

Saved saveWhole(const QString &path, const QByteArray &bytes)
{
    if (auto why = files::writeWhole(path, bytes))
        return {notSaved(path, *why)};
    return {};
}

Saved encodeTexts(const QString &path, const QStringList &values, QByteArray *out)
{
    for (const QString &value : values) {
        if (!prf::textRoundTrips(value))
            return {tr("The settings file %1 was not saved: the value %2 cannot be stored "
                       "in it (it starts with a blank or a quote, or holds a line break or another control "
                       "character).")
                        .arg(QDir::toNativeSeparators(path), files::shortQuote(value))};
        *out += prf::encodeText(value);
    }
    return {};
}

Saved writeTexts(const QString &path, const QStringList &values)
{
    QByteArray bytes;
    if (Saved encoded = encodeTexts(path, values, &bytes); !encoded.ok())
        return encoded;
    return saveWhole(path, bytes);
}

QStringList skinValues(Design design, const SkinSettings &skin)
{
    QStringList values{skin.picture};
    if (design == Design::Norvi)
        values.append(skin.centre);
    return values;
}

QByteArray lumboBytes(const LumboSettings &lumbo)
{
    return prf::encodeNumber(lumbo.innerColour) + prf::encodeNumber(lumbo.outerColour) +
           prf::encodeNumber(lumbo.frameBorder) + prf::encodeNumber(lumbo.soundSwitch);
}

// Makes what is written in the folder `path` last through a power cut.
void syncFolder(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// The first start builds the settings folder under such a name beside it.
const QRegularExpression BuildingName(QStringLiteral("^Settings\\.new-[A-Za-z0-9]{6}$"));

// Makes a fresh folder "Settings.new-" + six letters or digits in `parent`, with the same
// permissions a plain mkdir gives (mkdtemp would make it private to the user).
std::optional<QByteArray> makeBuildingFolder(const QString &parent)
{
    static constexpr char Symbols[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        QByteArray name = QFile::encodeName(parent) + "/Settings.new-";
        for (int i = 0; i < 6; ++i)
            name += Symbols[QRandomGenerator::global()->bounded(int(sizeof Symbols - 1))];
        if (::mkdir(name.constData(), 0777) == 0)
            return name;
        if (errno != EEXIST)
            return std::nullopt;
    }
    return std::nullopt;
}

} // namespace

SettingsStore::SettingsStore(DataFolders folders)
    : m_folders(std::move(folders))
{}

QString SettingsStore::skinFileName(Design design) { return QString::fromUtf16(filesFor(design).skin); }

QString SettingsStore::soundFileName(Design design) { return QString::fromUtf16(filesFor(design).sound); }

QString SettingsStore::lumboFileName() { return QStringLiteral("lumbi.prf"); }

QString SettingsStore::filePath(const QString &fileName) const
{
    return m_folders.path(QString(u"\\Settings\\" + fileName));
}

SkinSettings SettingsStore::defaultSkin(Design design) const
{
    const DesignFiles &files = filesFor(design);
    SkinSettings skin{m_folders.path(QStringView(files.defaultSkin)), {}};
    if (files.defaultCentre)
        skin.centre = m_folders.path(QStringView(files.defaultCentre));
    return skin;
}

SoundSettings SettingsStore::defaultSound(Design design) const
{
    return {m_folders.path(QStringView(filesFor(design).defaultSound)), DefaultInterval};
}

LumboSettings SettingsStore::defaultLumbo() { return {0x644E24, 0x53411E, 0, 1}; }

Loaded<SkinSettings> SettingsStore::readSkin(Design design) const
{
    QString problem;
    const QString path = filePath(skinFileName(design));
    const auto bytes = readFile(path, &problem);
    return bytes ? skinFromBytes(design, *bytes, path) : Loaded<SkinSettings>{defaultSkin(design), problem};
}

Loaded<SoundSettings> SettingsStore::readSound(Design design) const
{
    QString problem;
    const QString path = filePath(soundFileName(design));
    const auto bytes = readFile(path, &problem);
    return bytes ? soundFromBytes(design, *bytes, path)
                 : Loaded<SoundSettings>{defaultSound(design), problem};
}

Loaded<LumboSettings> SettingsStore::readLumbo() const
{
    QString problem;
    const QString path = filePath(lumboFileName());
    const auto bytes = readFile(path, &problem);
    return bytes ? lumboFromBytes(*bytes, path) : Loaded<LumboSettings>{defaultLumbo(), problem};
}

Loaded<SkinSettings> SettingsStore::skinFromBytes(Design design, const QByteArray &bytes,
                                                  const QString &path) const
{
    QString problem;
    const auto lines = linesOf(bytes, path, filesFor(design).skinLines(), &problem);
    if (!lines)
        return {defaultSkin(design), problem};
    SkinSettings skin{prf::readText(lines->at(0)), {}};
    if (design == Design::Norvi)
        skin.centre = prf::readText(lines->at(1));
    return {skin, {}};
}

Loaded<SoundSettings> SettingsStore::soundFromBytes(Design design, const QByteArray &bytes,
                                                    const QString &path) const
{
    QString problem;
    const auto lines = linesOf(bytes, path, 2, &problem);
    if (!lines)
        return {defaultSound(design), problem};
    return {{prf::readText(lines->at(0)), prf::readText(lines->at(1))}, {}};
}

Loaded<LumboSettings> SettingsStore::lumboFromBytes(const QByteArray &bytes, const QString &path) const
{
    QString problem;
    const auto lines = linesOf(bytes, path, 4, &problem);
    if (!lines)
        return {defaultLumbo(), problem};

    const std::pair<qint64, qint64> ranges[] = {
        {INT32_MIN, INT32_MAX}, {INT32_MIN, INT32_MAX}, {INT16_MIN, INT16_MAX}, {INT16_MIN, INT16_MAX}};
    qint64 values[4] = {};
    for (int i = 0; i < 4; ++i) {
        const auto number = prf::readNumber(lines->at(i), ranges[i].first, ranges[i].second);
        if (!number)
            return {defaultLumbo(),
                    tr("The settings file %1 is damaged: line %2 (%3) is not a usable number.")
                        .arg(QDir::toNativeSeparators(path))
                        .arg(i + 1)
                        .arg(files::shortQuote(lines->at(i).trimmed()))};
        values[i] = *number;
    }
    return {{qint32(values[0]), qint32(values[1]), qint16(values[2]), qint16(values[3])}, {}};
}

Saved SettingsStore::writeSkin(Design design, const SkinSettings &skin) const
{
    return writeTexts(filePath(skinFileName(design)), skinValues(design, skin));
}

Saved SettingsStore::writeSound(Design design, const SoundSettings &sound) const
{
    return writeTexts(filePath(soundFileName(design)), {sound.sound, sound.interval});
}

Saved SettingsStore::writeSkinAndSound(Design design, const SkinSettings &skin,
                                       const SoundSettings &sound) const
{
    const QString skinPath = filePath(skinFileName(design));
    const QString soundPath = filePath(soundFileName(design));
    QByteArray skinBytes, soundBytes;
    if (Saved encoded = encodeTexts(skinPath, skinValues(design, skin), &skinBytes); !encoded.ok())
        return encoded;
    if (Saved encoded = encodeTexts(soundPath, {sound.sound, sound.interval}, &soundBytes); !encoded.ok())
        return encoded;
    const auto failed = [](const QString &path, const QString &other, const QString &why) {
        return Saved{tr("The settings file %1 could not be saved: %2. It and %3 were left as they were.")
                         .arg(QDir::toNativeSeparators(path), why, QDir::toNativeSeparators(other))};
    };

    // Both are written whole beside their places before either is put in place.
    files::StagedFile skinFile(skinPath), soundFile(soundPath);
    if (auto why = skinFile.write(skinBytes))
        return failed(skinPath, soundPath, *why);
    if (auto why = soundFile.write(soundBytes))
        return failed(soundPath, skinPath, *why);
    // Putting the second in place can still fail; the first then goes back as it was.
    Keeper skinAsItWas(skinPath);
    if (!skinAsItWas.ready())
        return failed(skinPath, soundPath, tr("no copy of it could be kept while saving"));
    if (auto why = skinFile.commit())
        return failed(skinPath, soundPath, *why);
    if (auto why = soundFile.commit()) {
        skinAsItWas.putBack();
        return failed(soundPath, skinPath, *why);
    }
    return {};
}

Saved SettingsStore::writeLumbo(const LumboSettings &lumbo) const
{
    return saveWhole(filePath(lumboFileName()), lumboBytes(lumbo));
}

Saved SettingsStore::writeDefaults() const
{
    const QString folder = m_folders.path(u"\\Settings");
    const auto cannotMake = [&folder](const QString &why) {
        return Saved{tr("The settings folder %1 could not be created: %2.")
                         .arg(QDir::toNativeSeparators(folder), why)};
    };
    if (QFileInfo(folder).exists() && !QFileInfo(folder).isDir())
        return cannotMake(tr("something else of that name is in the way"));

    // A user's own data folder may not be there yet on their first start.
    if (!QDir().mkpath(m_folders.settingsHome()))
        return cannotMake(errnoText());
    // Built beside its place and renamed into it in one step: a first start that fails or is
    // killed half-way leaves no settings folder, so the next start is a first start again.
    const std::optional<QByteArray> building = makeBuildingFolder(m_folders.settingsHome());
    if (!building)
        return cannotMake(errnoText());
    const QString buildingPath = QFile::decodeName(*building);
    // A file that cannot be written makes the whole folder fail: the user is told about the
    // folder, since no settings file of theirs was there to be left as it was.
    const auto write = [&](const QString &name, const QByteArray &bytes) -> Saved {
        if (auto why = files::writeWhole(buildingPath + u'/' + name, bytes))
            return cannotMake(tr("its file %1 could not be written (%2)").arg(name, *why));
        return {};
    };
    const auto writeValues = [&](const QString &name, const QStringList &values) -> Saved {
        QByteArray bytes;
        for (const QString &value : values) {
            if (!prf::textRoundTrips(value))
                return cannotMake(
                    tr("the path %1 cannot be stored in a settings file").arg(files::shortQuote(value)));
            bytes += prf::encodeText(value);
        }
        return write(name, bytes);
    };

    // Into a folder nobody reads until it is complete, so the order does not matter.
    Saved saved = write(lumboFileName(), lumboBytes(defaultLumbo()));
    for (const Design design : AllDesigns) {
        if (!saved.ok())
            break;
        if (!filesOf(design))
            continue;
        saved = writeValues(skinFileName(design), skinValues(design, defaultSkin(design)));
        if (saved.ok()) {
            const SoundSettings sound = defaultSound(design);
            saved = writeValues(soundFileName(design), {sound.sound, sound.interval});
        }
    }
    if (saved.ok()) {
        syncFolder(buildingPath);
        if (::rename(building->constData(), QFile::encodeName(folder).constData()) != 0)
            saved = cannotMake(errnoText());
    }
    if (!saved.ok()) {
        QDir(buildingPath).removeRecursively();
        return saved;
    }
    syncFolder(m_folders.settingsHome());
    return {};
}

void SettingsStore::clearLeftovers() const
{
    const QDir home(m_folders.settingsHome());
    for (const QString &name : home.entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot))
        if (BuildingName.match(name).hasMatch())
            QDir(home.filePath(name)).removeRecursively();

    // A save killed before its rename leaves its temporary file beside the settings file, named
    // after it with a dot and six letters.
    const QString settings = m_folders.path(u"\\Settings");
    if (!QFileInfo(settings).isDir())
        return;
    QStringList ours{lumboFileName()};
    for (const Design design : AllDesigns)
        if (filesOf(design))
            ours << skinFileName(design) << soundFileName(design);
    const QRegularExpression savedName(
        QStringLiteral("^(%1)\\.[A-Za-z]{6}$").arg(ours.join(u'|').replace(u'.', QStringLiteral("\\."))),
        QRegularExpression::CaseInsensitiveOption);
    const QDir folder(settings);
    for (const QString &name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System))
        if (savedName.match(name).hasMatch())
            QFile::remove(folder.filePath(name));
}

} // namespace vrim
