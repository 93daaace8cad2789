#include "Writers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <unordered_map>

namespace artgen {

namespace {

int g_failures = 0;

bool ensureDir(const QString &filePath) {
    return QDir().mkpath(QFileInfo(filePath).absolutePath());
}

void putLe(std::string &out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(char((v >> (8 * i)) & 0xff));
}

bool writeBytes(const QString &path, const std::string &bytes) {
    ensureDir(path);
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           f.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size());
}

} // namespace

void report(const QString &path, bool ok, const QString &what) {
    std::printf("%s %-40s %s\n", ok ? "wrote" : "FAILED",
                qPrintable(QDir::current().relativeFilePath(path)), qPrintable(what));
    if (!ok)
        ++g_failures;
}

int failureCount() { return g_failures; }

void saveImage(const QString &path, const QImage &img) {
    ensureDir(path);
    const QString suffix = QFileInfo(path).suffix().toLower();
    QImageWriter writer(path, suffix == "jpg" ? "jpeg" : suffix.toLatin1());
    if (suffix == "jpg")
        writer.setQuality(90);
    const bool ok = writer.write(img);
    report(path, ok,
           ok ? QString("%1x%2").arg(img.width()).arg(img.height()) : writer.errorString());
}

void saveGif(const QString &path, const QImage &img) {
    std::map<QRgb, int> index;
    std::vector<QRgb> palette;
    std::vector<int> pixels;
    // Fully transparent pixels share one palette entry, which the file marks as see-through.
    constexpr QRgb kClear = 0x00000000u;
    bool anyClear = false;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const QRgb source = img.pixel(x, y);
            const bool clear = img.hasAlphaChannel() && qAlpha(source) == 0;
            anyClear = anyClear || clear;
            const QRgb c = clear ? kClear : source | 0xff000000u;
            auto [it, fresh] = index.emplace(c, int(palette.size()));
            if (fresh)
                palette.push_back(c);
            pixels.push_back(it->second);
        }
    }
    if (palette.size() > 256) {
        report(path, false, QString("%1 colours, GIF holds 256").arg(palette.size()));
        return;
    }
    int bits = 1;
    while ((1u << bits) < palette.size())
        ++bits;
    const int minCode = std::max(2, bits);

    std::string out = "GIF89a";
    putLe(out, uint32_t(img.width()), 2);
    putLe(out, uint32_t(img.height()), 2);
    out.push_back(char(0x80 | 0x70 | (bits - 1))); // global table, 8-bit colour resolution
    out.push_back(0);                              // background colour index
    out.push_back(0);                              // square pixels
    for (int i = 0; i < (1 << bits); ++i) {
        const QRgb c = i < int(palette.size()) ? palette[size_t(i)] : 0;
        out.push_back(char(qRed(c)));
        out.push_back(char(qGreen(c)));
        out.push_back(char(qBlue(c)));
    }
    if (anyClear) {
        // Graphic control extension: no disposal, no delay, a transparent colour index.
        out += "\x21\xf9\x04\x01";
        putLe(out, 0, 2);
        out.push_back(char(index.at(kClear)));
        out.push_back(0);
    }
    out.push_back(0x2c);
    putLe(out, 0, 2);
    putLe(out, 0, 2);
    putLe(out, uint32_t(img.width()), 2);
    putLe(out, uint32_t(img.height()), 2);
    out.push_back(0);
    out.push_back(char(minCode));

    // LZW, codes packed least significant bit first.
    std::string data;
    uint32_t acc = 0;
    int accBits = 0;
    auto put = [&](int code, int size) {
        acc |= uint32_t(code) << accBits;
        accBits += size;
        while (accBits >= 8) {
            data.push_back(char(acc & 0xff));
            acc >>= 8;
            accBits -= 8;
        }
    };
    const int clearCode = 1 << minCode, endCode = clearCode + 1;
    std::unordered_map<uint32_t, int> dict;
    int codeSize = minCode + 1, nextCode = endCode + 1;
    bool justCleared = true;
    put(clearCode, codeSize);
    int cur = pixels[0];
    for (size_t i = 1; i < pixels.size(); ++i) {
        const uint32_t key = (uint32_t(cur) << 8) | uint32_t(pixels[i]);
        if (auto it = dict.find(key); it != dict.end()) {
            cur = it->second;
            continue;
        }
        put(cur, codeSize);
        justCleared = false;
        const int added = nextCode++;
        dict.emplace(key, added);
        if (added >= (1 << codeSize))
            ++codeSize;
        if (added == 4095) { // table full: start afresh
            put(clearCode, codeSize);
            dict.clear();
            codeSize = minCode + 1;
            nextCode = endCode + 1;
            justCleared = true;
        }
        cur = pixels[i];
    }
    put(cur, codeSize);
    // The decoder adds one more entry after the last code and may widen its
    // codes before it reads the end code; follow it.
    if (!justCleared && nextCode + 1 == (1 << codeSize) && codeSize < 12)
        ++codeSize;
    put(endCode, codeSize);
    if (accBits > 0)
        data.push_back(char(acc & 0xff));
    for (size_t i = 0; i < data.size(); i += 255) {
        const size_t n = std::min<size_t>(255, data.size() - i);
        out.push_back(char(n));
        out.append(data, i, n);
    }
    out.push_back(0);
    out.push_back(0x3b);
    const bool ok = writeBytes(path, out);
    report(path, ok,
           QString("%1x%2, %3 colours").arg(img.width()).arg(img.height()).arg(palette.size()));
}

void saveResourceList(const QString &path, const QString &prefix, const QStringList &files) {
    QString text = QString("<!-- Made by tools/make-artwork.sh. -->\n<RCC>\n"
                           "    <qresource prefix=\"%1\">\n")
                       .arg(prefix);
    for (const QString &f : files)
        text += QString("        <file>%1</file>\n").arg(f);
    text += "    </qresource>\n</RCC>\n";
    QFile out(path);
    const QByteArray bytes = text.toUtf8();
    const bool ok = out.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                    out.write(bytes) == qint64(bytes.size());
    report(path, ok, QString("%1 files").arg(files.size()));
}

void saveWav(const QString &path, const Wave &w) {
    const uint32_t dataBytes = uint32_t(w.size() * 2);
    std::string out = "RIFF";
    putLe(out, 36 + dataBytes, 4);
    out += "WAVEfmt ";
    putLe(out, 16, 4); // fmt chunk size
    putLe(out, 1, 2);  // PCM
    putLe(out, 1, 2);  // mono
    putLe(out, kRate, 4);
    putLe(out, kRate * 2, 4); // bytes per second
    putLe(out, 2, 2);         // bytes per frame
    putLe(out, 16, 2);        // bits per sample
    out += "data";
    putLe(out, dataBytes, 4);
    for (double s : w)
        putLe(out, uint32_t(uint16_t(int16_t(std::lround(std::clamp(s, -1.0, 1.0) * 32767.0)))), 2);
    const bool ok = writeBytes(path, out);
    report(path, ok, QString("%1 s").arg(double(w.size()) / kRate, 0, 'f', 2));
}

} // namespace artgen
