// libFuzzer entry: any bytes as each kind of settings file (a one-line skin file, Norvi's
// two-line one, a sound file, lumbi.prf). A file read whole gives values that write back to the
// same values; a file that is not gives the defaults and a message short enough for a message box.
#include "settings/SettingsFormat.h"
#include "settings/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdint>
#include <cstdlib>

namespace {

using namespace vrim;

void touch(const QString &path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile(path).open(QIODevice::WriteOnly | QIODevice::Append);
}

// A program folder holding the default skins and sound, so that naming one costs a few stat()s
// and never a folder listing (left behind in the temporary folder: a few empty files), and the
// defaults themselves. Made on the first input, once the other files' statics are set up.
struct Rig {
    QString path = QStringLiteral("/home/ana/Vrim Clocks/Settings/file.prf"); // named in messages
    SettingsStore store{DataFolders(QDir::tempPath() + QStringLiteral("/vrim-fuzz-settings"))};
    SkinSettings dov, norvi;
    SoundSettings sound;
    Rig()
    {
        touch(store.defaultSkin(Design::Dov).picture);
        touch(store.defaultSkin(Design::Norvi).picture);
        touch(store.defaultSkin(Design::Norvi).centre);
        touch(store.defaultSound(Design::Dov).sound);
        dov = store.defaultSkin(Design::Dov);
        norvi = store.defaultSkin(Design::Norvi);
        sound = store.defaultSound(Design::Dov);
    }
};
const Rig &rig()
{
    static const Rig made;
    return made;
}

template <typename T>
void checkProblem(const Loaded<T> &loaded, const T &defaults)
{
    if (!loaded.ok() && (loaded.value != defaults || loaded.problem.size() > 600))
        std::abort();
}

void checkText(const QString &value, const QString &readBack)
{
    if (value.contains(u'\r') || value.contains(u'\n') || value.size() > 4096)
        std::abort();
    if (prf::textRoundTrips(value) && readBack != value)
        std::abort();
}

} // namespace

// The reader is built here without the clocks, whose cards declare each design's files: a skin
// file of one line and one of two lines stand in for them.
const DesignFiles *vrim::filesOf(Design design)
{
    static const DesignFiles oneLine{u"one.prf", u"ones.prf", u"\\Skins\\one.jpg", nullptr,
                                     u"\\Sounds\\one.wav"};
    static const DesignFiles twoLines{u"two.prf", u"twos.prf", u"\\Skins\\two.jpg", u"\\Skins\\centre.jpg",
                                      u"\\Sounds\\one.wav"};
    return design == Design::Norvi ? &twoLines : design == Design::Dov ? &oneLine : nullptr;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const SettingsStore &store = rig().store;
    const Rig &defaults = rig();
    const QString &path = defaults.path;

    for (const Design design : {Design::Dov, Design::Norvi}) {
        const Loaded<SkinSettings> skin = store.skinFromBytes(design, bytes, path);
        checkProblem(skin, design == Design::Dov ? defaults.dov : defaults.norvi);
        if (skin.ok()) {
            QByteArray again = prf::encodeText(skin.value.picture);
            if (design == Design::Norvi)
                again += prf::encodeText(skin.value.centre);
            const SkinSettings back = store.skinFromBytes(design, again, path).value;
            checkText(skin.value.picture, back.picture);
            if (design == Design::Norvi)
                checkText(skin.value.centre, back.centre);
        }
    }

    const Loaded<SoundSettings> sound = store.soundFromBytes(Design::Dov, bytes, path);
    checkProblem(sound, defaults.sound);
    if (sound.ok()) {
        const QByteArray again = prf::encodeText(sound.value.sound) + prf::encodeText(sound.value.interval);
        const SoundSettings back = store.soundFromBytes(Design::Dov, again, path).value;
        checkText(sound.value.sound, back.sound);
        checkText(sound.value.interval, back.interval);
    }

    const Loaded<LumboSettings> lumbo = store.lumboFromBytes(bytes, path);
    checkProblem(lumbo, SettingsStore::defaultLumbo());
    if (lumbo.ok()) {
        const LumboSettings &value = lumbo.value;
        const QByteArray again = prf::encodeNumber(value.innerColour) + prf::encodeNumber(value.outerColour) +
                                 prf::encodeNumber(value.frameBorder) + prf::encodeNumber(value.soundSwitch);
        const Loaded<LumboSettings> back = store.lumboFromBytes(again, path);
        if (!back.ok() || back.value != value)
            std::abort();
    }
    return 0;
}
