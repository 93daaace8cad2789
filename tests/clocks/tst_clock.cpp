#include "base/RefreshSignal.h"
#include "clocks/Designs.h"
#include "clocks/dov/DovFace.h"
#include "clocks/jolvex/JolvexFace.h"
#include "clocks/lumbo/LumboFace.h"
#include "clocks/mip/MipClock.h"
#include "clocks/mip/MipControls.h"
#include "clocks/norvi/NorviControls.h"
#include "clocks/norvi/NorviFace.h"
#include "clocks/perrin/PerrinControls.h"
#include "clocks/quenz/QuenzControls.h"
#include "clocks/quenz/QuenzFace.h"
#include "clocks/vrimcolor/VrimcolorControls.h"
#include "clocks/vrimcolor/VrimcolorFace.h"
#include "support/ClockRig.h"

#include <QtTest>

using namespace vrim;
using namespace vrim::test;

namespace {

constexpr ColourValue Unlit = rgbValue(240, 240, 240);

// The numbers n of the controls named "stem(n)" that show `colour` (and are shown, if asked).
QList<int> lit(const Face &face, const QString &stem, ColourValue colour, bool shownOnly = false)
{
    QList<int> found;
    for (const FaceControl &control : face.controls())
        if (control.name.startsWith(stem + u'(') && control.fill == colour && (control.visible || !shownOnly))
            found.append(control.name.mid(stem.size() + 1).chopped(1).toInt());
    return found;
}

const FaceControl &named(const Face &face, const QString &name)
{
    for (const FaceControl &control : face.controls())
        if (control.name == name)
            return control;
    qFatal("no control %s", qPrintable(name));
}

// "h9 h10" from prefix "h", {8, 9} and offset 1.
QStringList tokens(const QString &prefix, const QList<int> &numbers, int offset = 0)
{
    QStringList out;
    for (int n : numbers)
        out << prefix + QString::number(n + offset);
    return out;
}

// "mt012": the lit cells of a column, bottom first; nothing when none is lit.
QString column(const QString &prefix, const QList<int> &cells)
{
    return cells.isEmpty() ? QString() : prefix + tokens(QString(), cells).join(QString());
}

QString hex(ColourValue c) { return QString::asprintf("%02x%02x%02x", c & 0xff, (c >> 8) & 0xff, c >> 16); }

// What a user reads off each design's face, as short words: a difference names what differs.
QString describeFace(Design design, const Face &f)
{
    QStringList w;
    switch (design) {
    case Design::Dov: // lit and dim hour bars, the seconds marker, the hour in its marker, minutes
        w << tokens("h", lit(f, "Picture1", DovFace::Lit), 1)
          << tokens("dim", lit(f, "Picture1", DovFace::Dim), 1)
          << tokens("s", lit(f, "Picture2", DovFace::Second, true))
          << tokens("m", lit(f, "Picture2", DovFace::Lit), 1) << ":" + named(f, "Label1").text;
        break;
    case Design::Quenz:
        w << tokens("h", lit(f, "Picture1", QuenzFace::Blue), 1)
          << tokens("noon", lit(f, "Picture1", QuenzFace::Noon), 1)
          << tokens("grey", lit(f, "Picture1", QuenzFace::Grey), 1)
          << tokens("s", lit(f, "Picture2", QuenzFace::Second))
          << tokens("m", lit(f, "Picture2", QuenzFace::Blue), 1)
          << (named(f, quenz::control::Dot).fill == QuenzFace::Morning ? "am" : "pm")
          << ":" + named(f, "Label1").text;
        if (!lit(f, "Picture2", QuenzFace::Grey).isEmpty())
            w << "grey markers";
        break;
    case Design::Norvi: // hour lamps (0 is XII), minute and second columns, the afternoon lamp
        w << tokens("h", lit(f, "Picture5", NorviFace::Green))
          << column("mt", lit(f, "Picture4", NorviFace::Blue))
          << column("mu", lit(f, "Picture3", NorviFace::Blue))
          << column("st", lit(f, "Picture2", NorviFace::Red))
          << column("su", lit(f, "Picture1", NorviFace::Red))
          << (named(f, norvi::control::Indicator).fill == NorviFace::Afternoon ? "pm" : "am");
        break;
    case Design::Vrimcolor: { // the hour square's group and red line, the three bars
        const std::array<std::pair<char, std::array<QLine, 4>>, 4> groups = {{
            {'A', {{{720, 0, 720, 390}, {0, 720, 360, 720}, {360, 0, 360, 330}, {0, 390, 300, 390}}}},
            {'B', {{{720, 390, 720, 780}, {0, 30, 360, 30}, {360, 450, 360, 780}, {0, 390, 300, 390}}}},
            {'C', {{{30, 390, 30, 780}, {420, 30, 780, 30}, {360, 450, 360, 780}, {450, 390, 780, 390}}}},
            {'D', {{{30, 0, 30, 390}, {360, 720, 780, 720}, {360, 0, 360, 330}, {450, 390, 780, 390}}}},
        }};
        std::array<QLine, 4> placed;
        QStringList red;
        for (int k = 13; k <= 16; ++k) {
            const FaceControl &line = named(f, QStringLiteral("Line%1").arg(k));
            placed[size_t(k - 13)] = line.segment.translated(-VrimcolorFace::HourSquare.topLeft());
            if (line.outline == VrimcolorFace::Red && line.lineWidth == 2)
                red << QStringLiteral("L%1").arg(k);
            else if (line.outline != VrimcolorFace::Black || line.lineWidth != 1)
                red << QStringLiteral("L%1?").arg(k);
        }
        QString group = "?";
        for (const auto &[name, lines] : groups)
            if (lines == placed)
                group = QChar::fromLatin1(name);
        w << group << red;
        QStringList bars;
        for (int b = 0; b < 3; ++b) {
            const QRect trough =
                named(f, QStringLiteral("ProgressBar%1").arg(b + 1)).twips.adjusted(15, 15, -15, -15);
            const FaceControl &fill = named(f, QStringLiteral("ProgressBar%1.fill").arg(b + 1));
            const double part = b == 2 ? double(fill.twips.width()) / trough.width()
                                       : double(fill.twips.height()) / trough.height();
            bars << QString::number(fill.visible ? qRound(part * VrimcolorFace::BarMaximum[size_t(b)]) : 0);
        }
        w << "bars " + bars.join(u'/');
        break;
    }
    case Design::Jolvex: { // the tops of the next-hour, hour and two seconds bars, their colours
        for (const char *bar : {"Shape1", "Shape2", "Shape4", "Shape5"}) {
            const FaceControl &c = named(f, bar);
            const QString top = QString::number(double(*c.exactTop) - JolvexFace::Panel.y());
            w << (c.visible ? top : "(" + top + ")");
        }
        w << hex(*named(f, "Shape2").fill) + "/" + hex(*named(f, "Shape1").fill);
        if (const FaceControl &led = named(f, "Shape3"); led.visible)
            w << "led " + hex(*led.fill);
        if (named(f, "Shape2").twips.width() != 390)
            w << QStringLiteral("wide");
        break;
    }
    case Design::Lumbo: // the hour button, tens square, units panel and half-day square lit
        w << tokens("h", lit(f, "Command1", LumboFace::HourOn))
          << tokens("t", lit(f, "Picture2", LumboFace::TensOn))
          << tokens("u", lit(f, "Picture1", LumboFace::UnitsOn));
        for (int half : lit(f, "Picture2", LumboFace::HalfDayOn))
            w << (half == LumboFace::Morning ? "am" : "pm");
        break;
    case Design::Mip: { // the hour, tens and units pictures: list slots, "z" the zero from Helps
        const auto digit = [&](const char *name) {
            const int slot = named(f, name).picture;
            return slot == MipFace::HelpsZeroSlot ? QStringLiteral("z") : QString::number((slot - 12) % 10);
        };
        w << "h" + QString::number(named(f, "Command4").picture) << "t" + digit("Command2")
          << "u" + digit("Command3");
        break;
    }
    case Design::Perrin:
        break;
    }
    w.removeAll(QString());
    return w.join(u' ');
}

// The face and what the frame buttons and pictures say of the time; Perrin's place, x pixels.
QString describe(const ClockRig<> &rig)
{
    const Clock &clock = rig.clock;
    QString words = describeFace(clock.design(), clock.face());
    const auto lamp = [&](const QString &button, ColourValue morning, ColourValue afternoon) {
        const ColourValue c = clock.buttonColour(button);
        return c == morning     ? QStringLiteral(" am")
               : c == afternoon ? QStringLiteral(" pm")
                                : " lamp " + hex(c);
    };
    if (clock.design() == Design::Vrimcolor)
        words += lamp(vrimcolor::control::Move, VrimcolorFace::Morning, VrimcolorFace::Afternoon);
    if (clock.design() == Design::Jolvex)
        for (const char *item : {"bar", "led", "SecondsOn", "SecondsOff"})
            if (clock.frame().isChecked(QString::fromLatin1(item)).value_or(false))
                words += QStringLiteral(" [%1]").arg(QLatin1String(item));
    if (clock.design() == Design::Mip)
        words += lamp(mip::control::Move, MipClock::Morning, MipClock::Afternoon);
    if (clock.design() == Design::Perrin) {
        QStringList w{clock.pictures().join(u' ').remove(":/perrin/hour-").remove(".png")};
        for (const FrameButton &button : clock.buttons()) {
            if (button.label)
                w << ":" + button.label->text;
            else if (button.name == perrin::control::HotSpot)
                w << "tip" + button.tip;
        }
        words = w.join(u' ') + QStringLiteral(" x%1").arg(rig.ops.x);
    }
    return words;
}

// One lamp showing the seconds' units digit, counting its resets, in the lifecycle of a design.
class LampClock final : public Clock {
public:
    LampClock(Design design, const ClockContext &context)
        : Clock(design, context)
    {
        m_face.add({.name = QStringLiteral("Lamp"), .twips = {0, 0, 150, 150}, .fill = 0});
    }
    const Face &face() const override { return m_face; }
    std::vector<FrameButton> buttons() const override { return {}; }
    int resets = 0;
    int freshFaces = 0;

protected:
    void passFace() override { m_face[0].fill = ColourValue(time().timeText().right(1).toInt()); }
    void resetFace() override
    {
        ++resets;
        passFace();
    }
    void freshFace() override { ++freshFaces; }

private:
    Face m_face;
};

} // namespace

// The clocks without their windows: each design's face, and what the clocks share or their cards say.
class TestClocks : public QObject {
    Q_OBJECT

    struct Fixture : ClockRig<LampClock> {
        explicit Fixture(Design design = Design::Dov)
            : ClockRig(design, {}, [design](const ClockContext &context) {
                return std::make_unique<LampClock>(design, context);
            })
        {}
    };

    TempProgramFolder m_shared; // default settings, for the clocks of every row

private Q_SLOTS:
    void initTestCase() { QVERIFY(SettingsStore(DataFolders(m_shared.path())).writeDefaults().ok()); }

    // What each design shows after a window opened and the passes and gestures given. Each
    // state is checked as shown, after which one more pass in the same second changes nothing.
    void faces_data()
    {
        columns<Design, QStringList, QString>();
        const auto row = [](Design design, const char *name, const QStringList &steps, const char *shows) {
            QTest::addRow("%s: %s", qPrintable(designName(design)), name)
                << design << steps << QString(shows);
        };
        // clang-format off
        // Dov: the hour bar of 1-10 green; 11 and 12 dim, the lit one green; "11" lights nothing.
        row(Design::Dov, "midnight lights 12", {"00:00:00"}, "h12 dim11 s0 m12 :00");
        row(Design::Dov, "01:00 lights 1", {"01:00:00"}, "h1 dim11 s0 :00");
        row(Design::Dov, "11:00 lights nothing", {"11:00:00"}, "dim11 s0 m11 :00");
        row(Design::Dov, "13:00 opened in the afternoon", {"13:00:00"}, "h1 dim12 s0 :00");
        row(Design::Dov, "13:00 after a morning", {"12:59:58", "12:59:59..13:00:00"}, "h1 dim11 dim12 s0 :00");
        row(Design::Dov, "23:00 lights 11", {"23:00:00"}, "h11 dim12 s0 m11 :00");
        row(Design::Dov, "the pass at 11:00", {"10:59:59", "11:00:00"}, "dim11 s0 m10 m11 :00");
        row(Design::Dov, "the pass at midnight", {"23:59:59", "00:00:00"}, "h12 dim11 s0 m11 m12 :00");
        row(Design::Dov, "the seconds marker round the ring", {"08:14:57", "08:14:58..08:16:02"}, "h8 dim11 s0 :16");
        row(Design::Dov, "not yet a five: no marker", {"08:14:57"}, "h8 dim11 m8 :14");
        row(Design::Dov, "a drag ending at 11:30", {"11:29:59", "=11:30:00", "drag"}, "dim11 s0 m11 :30");
        row(Design::Dov, "a reload at 11:30", {"11:29:59", "=11:30:00", "reload"}, "dim11 s0 m11 :30");
        row(Design::Dov, "a reset lights the hour again", {"05:30:10", "drag"}, "h5 dim11 s2 m5 :30");

        row(Design::Norvi, "noon lights XII and clears XI", {"11:59:58", "11:59:59..12:00:00"}, "h0 mu0 su0 am");
        row(Design::Norvi, "XI stays clear through the small hours", {"23:30:00", "23:59:59..00:00:03"}, "h0 mu0 su3 pm");
        row(Design::Norvi, "13:00 lights I and clears XII", {"12:59:58", "12:59:59..13:00:00"}, "h1 mu0 su0 am");
        row(Design::Norvi, "opened at 23:00 lights XI alone", {"23:00:00"}, "h11 mu0 su0 pm");
        row(Design::Norvi, "opened at 10:35 shows both bars so far", {"10:35:12", "10:35:13"}, "h10 mt012 mu12345 st0 su3 am");
        row(Design::Norvi, "xx:40 clears the units to the hidden cell", {"10:39:59", "10:40:00"}, "h10 mt0123 mu0 su0 am");
        row(Design::Norvi, "xx:00 clears both bars, the hidden cell blue", {"10:59:59", "11:00:00"}, "h11 mu0 su0 am");
        row(Design::Norvi, "the top tens cell is never lit", {"10:59:30", "10:59:31"}, "h10 mt01234 mu123456789 st012 su1 am");
        row(Design::Norvi, "opened at 12:30: not yet afternoon", {"12:30:00"}, "h0 mt012 mu0 su0 am");
        row(Design::Norvi, "opened at 13:00, kept after midnight", {"13:00:00", "23:59:59", "00:00:00..00:00:01"}, "h0 mu0 su1 pm");
        row(Design::Norvi, "opened at 00:30, kept in the afternoon", {"00:30:00", "13:00:00", "18:00:00"}, "h6 mu0 su0 am");
        row(Design::Norvi, "the seconds climb and wrap", {"08:14:07", "08:14:08..08:15:12"}, "h8 mt0 mu12345 st0 su2 am");
        row(Design::Norvi, "a late pass leaves no stale second", {"08:14:27", "08:14:29", "08:14:31"}, "h8 mt0 mu1234 st012 su1 am");
        row(Design::Norvi, "seconds off", {"08:14:35", "Down Picture9", "08:14:36", "08:14:37..08:14:40"}, "h8 mt0 mu1234 st01 am");
        row(Design::Norvi, "seconds on again", {"08:14:35", "Down Picture9", "08:14:36..08:14:52", "Down Picture9"}, "h8 mt0 mu1234 st01234 su2 am");
        row(Design::Norvi, "a drag with seconds off", {"08:14:35", "Down Picture9", "08:14:36..08:14:38", "drag"}, "h8 mt0 mu1234 st01 am");

        // Quenz: the hour bar blue, 12 first marked NOON when its hour came between fives.
        row(Design::Quenz, "grey until the first pass", {"10:20:07"}, "grey3 am :20 grey markers");
        row(Design::Quenz, "12:00:00 lights 12 blue", {"11:59:55", "11:59:55", "11:59:56..12:00:00"}, "h12 s11 am :00");
        row(Design::Quenz, "12:00 first seen between fives marks 12 NOON", {"11:59:55", "11:59:55", "11:59:56..11:59:59", "12:00:01"}, "noon12 am :00");
        row(Design::Quenz, "NOON turns blue at 12:00:05", {"11:59:55", "11:59:55", "11:59:56..11:59:59", "12:00:01..12:00:05/2"}, "h12 s0 m12 am :00");
        row(Design::Quenz, "no NOON without a lit 11 bar", {"12:00:03", "12:00:03"}, "am :00");
        row(Design::Quenz, "12:30 keeps the morning dot", {"12:30:00", "12:30:00"}, "h12 s11 am :30");
        row(Design::Quenz, "13:00:00 clears 12 and lights 1", {"12:59:55", "12:59:55", "12:59:56..13:00:00"}, "h1 s11 m1 pm :00");
        row(Design::Quenz, "13:00 between fives: 12 cleared, 1 waits", {"12:59:55", "12:59:55", "12:59:56..12:59:59", "13:00:01"}, "m12 pm :00");
        row(Design::Quenz, "1 lit at 13:00:05", {"12:59:55", "12:59:55", "12:59:56..12:59:59", "13:00:01..13:00:05/2"}, "h1 s0 pm :00");
        row(Design::Quenz, "the seconds marker through a minute", {"10:19:58", "10:19:58", "10:19:59..10:21:00"}, "h10 s11 m10 am :21");
        row(Design::Quenz, "a reset between fives leaves it dark until the next five", {"13:20:05", "13:20:05", "=13:20:07", "Click Picture5", "13:20:08..13:20:09"}, "pm :20");
        row(Design::Quenz, "a drag ending at a five draws again at once", {"10:20:05", "10:20:05", "=10:20:15", "drag"}, "h10 s2 m10 am :20");
        row(Design::Quenz, "a drag ending between fives clears until the next five", {"10:20:05", "10:20:05", "=10:20:12", "drag"}, "am :20");
        row(Design::Quenz, "the button released on the move strip", {"10:20:15", "10:20:15", "=10:20:20", "Up Picture5"}, "h10 s3 m10 am :20");
        row(Design::Quenz, "a reload between fives", {"10:20:05", "10:20:05", "=10:20:17", "reload"}, "am :20");
        row(Design::Quenz, "a pass late across a five", {"10:20:05", "10:20:05", "10:20:05..10:20:08", "10:20:10", "10:20:12"}, "h10 s1 m10 am :20");
        row(Design::Quenz, "a five missed by a late pass leaves no stale marker", {"10:20:05", "10:20:05", "10:20:06..10:20:09", "10:20:11"}, "h10 m10 am :20");
        row(Design::Quenz, "back from a sleep, between fives", {"10:20:05", "10:20:05", "10:47:31"}, "am :47");
        row(Design::Quenz, "other strip gestures leave the face alone", {"10:20:05", "10:20:05", "=10:20:07", "Down Picture6", "Up Picture6", "Click Picture7", "Down Picture5"}, "h10 s0 m10 am :20");

        row(Design::Vrimcolor, "opened at midnight", {"00:00:00"}, "D L13 bars 0/0/0 am");
        row(Design::Vrimcolor, "midnight after 23:59:59: A rebuilt as D", {"23:59:58", "23:59:59..00:00:00"}, "D L13 bars 0/0/0 am");
        row(Design::Vrimcolor, "11:59:59: group A, Line15", {"11:59:58", "11:59:59"}, "A L15 bars 5/9/59 am");
        row(Design::Vrimcolor, "12:00:04, still rebuilt", {"11:59:59", "12:00:00..12:00:04"}, "D L13 bars 0/0/4 am");
        row(Design::Vrimcolor, "12:00:05, only the mark", {"11:59:59", "12:00:00..12:00:05"}, "D L13 bars 0/0/5 am");
        row(Design::Vrimcolor, "13:00: Line15, Line13 set back", {"12:59:58", "12:59:59..13:00:01"}, "D L15 bars 0/0/1 pm");
        row(Design::Vrimcolor, "14:00: Line16", {"13:59:59", "14:00:00"}, "D L16 bars 0/0/0 pm");
        row(Design::Vrimcolor, "15:00: group C, Line14", {"14:59:59", "15:00:00"}, "C L14 bars 0/0/0 pm");
        row(Design::Vrimcolor, "18:00: group B, Line13", {"17:59:59", "18:00:00"}, "B L13 bars 0/0/0 pm");
        row(Design::Vrimcolor, "21:00: group A, Line14", {"20:59:59", "21:00:00"}, "A L14 bars 0/0/0 pm");
        row(Design::Vrimcolor, "22:45:10: Line16", {"22:45:10"}, "A L16 bars 4/5/10 pm");
        row(Design::Vrimcolor, "12:59 counts with the morning", {"12:58:00", "12:59:59"}, "D L13 bars 5/9/59 am");

        row(Design::Jolvex, "opened, the first pass steps all", {"10:30:15"}, "-231.5 248.5 -351.5 128.5 000000/ff00ff [bar]");
        row(Design::Jolvex, "the next second moves the seconds bars alone", {"10:30:15", "10:30:16"}, "-231.5 248.5 -343 137 000000/ff00ff [bar]");
        row(Design::Jolvex, "the next minute moves the hour bars too", {"10:30:59", "10:31:00"}, "-223 257 9 -471.5 000000/ff00ff [bar]");
        row(Design::Jolvex, "a late pass steps once", {"10:30:15", "10:30:17"}, "-231.5 248.5 -343 137 000000/ff00ff [bar]");
        row(Design::Jolvex, "a reload keeps the bars", {"10:30:15", "=10:30:16", "reload", "10:30:16"}, "-231.5 248.5 -343 137 000000/ff00ff [bar]");
        row(Design::Jolvex, "a piece at exactly 480 stays", {"10:20:43", "10:20:44..10:20:58"}, "-311.5 168.5 0 480 000000/ff00ff [bar]");
        row(Design::Jolvex, "one step further it wraps", {"10:20:43", "10:20:44..10:20:59"}, "-311.5 168.5 8.5 -480 000000/ff00ff [bar]");
        row(Design::Jolvex, "opened at second 59: 480.5 wraps", {"10:20:59"}, "-311.5 168.5 0.5 -480 000000/ff00ff [bar]");
        row(Design::Jolvex, "opened at minute 59: the hour bar wraps", {"10:59:10"}, "0.5 -480 -391.5 88.5 000000/ff00ff [bar]");
        row(Design::Jolvex, "above 400 a piece restarts at second 00", {"10:20:49", "10:20:51..10:20:59/2", "10:21:00"}, "-303 177 -28.5 -480 000000/ff00ff [bar]");
        row(Design::Jolvex, "at exactly 400 it goes on", {"10:20:33", "10:20:34", "10:20:35..10:20:59/2", "10:21:00"}, "-303 177 -80 400 000000/ff00ff [bar]");
        row(Design::Jolvex, "a legend item changes nothing", {"10:30:15", "item gray"}, "-231.5 248.5 -351.5 128.5 000000/ff00ff [bar]");
        row(Design::Jolvex, "12:xx lite blue, brown coming", {"12:10:00"}, "-391.5 88.5 -471.5 8.5 00e1e1/551c00 [bar]");
        row(Design::Jolvex, "11:xx pink, lite blue coming", {"11:40:30"}, "-151.5 328.5 -231.5 248.5 ff00ff/00e1e1 [bar]");
        row(Design::Jolvex, "Led: the LED, wide hour bars", {"10:30:15", "item led"}, "-231.5 248.5 (-351.5) (128.5) 000000/ff00ff led 0000ff wide [led]");
        row(Design::Jolvex, "the LED green while the seconds bar stands", {"10:30:15", "item led", "10:30:16..10:30:18"}, "-231.5 248.5 (-351.5) (128.5) 000000/ff00ff led 00ff00 wide [led]");
        row(Design::Jolvex, "the LED red the second after", {"10:30:15", "item led", "10:30:16..10:30:17"}, "-231.5 248.5 (-351.5) (128.5) 000000/ff00ff led ff000a wide [led]");
        row(Design::Jolvex, "Bar after Led", {"10:30:15", "item led", "item bar"}, "-231.5 248.5 -351.5 128.5 000000/ff00ff [bar]");
        row(Design::Jolvex, "Seconds Off: no seconds at all", {"10:30:15", "item SecondsOff"}, "-231.5 248.5 (-351.5) (128.5) 000000/ff00ff wide [bar] [SecondsOff]");
        row(Design::Jolvex, "Seconds Off hides the LED", {"10:30:15", "item led", "item SecondsOff"}, "-231.5 248.5 (-351.5) (128.5) 000000/ff00ff wide [led] [SecondsOff]");
        row(Design::Jolvex, "hidden seconds keep moving through the wrap", {"10:20:40", "item SecondsOff", "10:20:41..10:20:59"}, "-311.5 168.5 (10) (-471.5) 000000/ff00ff wide [bar] [SecondsOff]");
        row(Design::Jolvex, "Seconds On shows them again", {"10:20:40", "item SecondsOff", "10:20:41..10:20:59", "item SecondsOn"}, "-311.5 168.5 10 -471.5 000000/ff00ff [bar] [SecondsOn]");

        row(Design::Lumbo, "00:30: hour 12, tens 3, morning", {"12:00:00", "00:30:00"}, "h12 t2 am");
        row(Design::Lumbo, "12:30: noon counts with the morning", {"12:00:00", "12:30:00"}, "h12 t2 am");
        row(Design::Lumbo, "13:05: no tens, units 5, afternoon", {"12:00:00", "13:05:00"}, "h1 u4 pm");
        row(Design::Lumbo, "23:41: hour 11, tens 4, units 1", {"12:00:00", "23:41:00"}, "h11 t3 u0 pm");
        row(Design::Lumbo, "the hour's last second", {"10:59:58", "10:59:59"}, "h10 t4 u8 am");
        row(Design::Lumbo, "the new hour puts out tens and units", {"10:59:58", "10:59:59..11:00:00"}, "h11 am");

        row(Design::Mip, "12:34: noon counts with the morning", {"10:19:58", "12:34:00"}, "h12 t3 u4 am");
        row(Design::Mip, "13:00: one, the Helps zero", {"10:19:58", "13:00:00"}, "h1 tz u0 pm");
        row(Design::Mip, "00:15: midnight shows twelve", {"10:19:58", "00:15:30"}, "h12 t1 u5 am");
        row(Design::Mip, "10:20: units 0 the list's zero", {"10:19:58", "10:19:59..10:20:00"}, "h10 t2 u0 am");

        row(Design::Perrin, "00:00 is picture 24", {"00:00:00"}, "24 :00 tip 24 x657");
        row(Design::Perrin, "13:05 is picture 13", {"13:05:00"}, "13 :05 tip 13 x657");
        row(Design::Perrin, "the picture changes on the hour", {"12:59:58", "12:59:59..13:00:00"}, "13 :00 tip 13 x656");
        // It creeps left 5.833 twips a minute, the fraction kept: an hour is 350 twips (23 px).
        row(Design::Perrin, "an hour: 634 px", {"00:00:30", "00:01:00..00:59:00/60"}, "24 :59 tip 24 x634");
        row(Design::Perrin, "a day: 97 px", {"00:00:30", "00:01:00..23:59:00/60"}, "23 :59 tip 23 x97");
        // At the left edge it steps right and left again; on a screen too narrow for it, never.
        row(Design::Perrin, "dragged to 0 px: 5.8 twips, then 11.7", {"08:00:10", "x=0", "08:01:00..08:02:00/60"}, "08 :02 tip 8 x1");
        row(Design::Perrin, "then 5.8 again", {"08:00:10", "x=0", "08:01:00..08:03:00/60"}, "08 :03 tip 8 x0");
        row(Design::Perrin, "dragged to 1 px: 9.2 twips, then 3.3", {"08:00:10", "x=1", "08:01:00..08:02:00/60"}, "08 :02 tip 8 x0");
        row(Design::Perrin, "a 140 px screen: no move", {"08:00:10", "screen=140", "x=0", "08:01:00..08:04:00/60"}, "08 :04 tip 8 x0");
        // clang-format on
    }
    void faces()
    {
        const auto [design, steps, shows] = fetched<Design, QStringList, QString>();
        ClockRig<> rig(design, m_shared.path());
        rig.ops.x = 657; // where Perrin's window opens, 9855 twips
        rig.run(steps);
        QCOMPARE(describe(rig), shows);
        if (design == Design::Quenz && steps.size() == 1)
            return; // its first pass reads everything and draws the face
        const Face shown = rig.clock.face();
        rig.clock.tick();
        QVERIFY2(rig.clock.face() == shown, "the next pass in the same second changed the face");
        QCOMPARE(describe(rig), shows);
        QVERIFY(rig.problems.isEmpty());
        if (design == Design::Quenz)
            QVERIFY(rig.clock.refresh().carrier().isEmpty()); // no hourly clear's mark left
    }

    // Each figure of a pass comes from a reading of its own, and the clock turns between them.
    void aPassThatStraddlesASecond_data()
    {
        columns<Design, QString, QStringList, QString>();
        // clang-format off
        QTest::newRow("Dov: the hour before the turn, the seconds after") << Design::Dov << "10:59:58" << QStringList{"10:59:59", "10:59:59", "11:00:00", "11:00:00"} << "h10 dim11 s0 m10 :00";
        QTest::newRow("Norvi: hour and minutes before, seconds after") << Design::Norvi << "12:59:58" << QStringList{"12:59:59", "12:59:59", "12:59:59", "13:00:00", "13:00:00"} << "h0 mt01234 mu123456789 su0 am";
        QTest::newRow("Quenz: the hourly clear on the later readings") << Design::Quenz << "11:59:55" << QStringList{"11:59:59", "12:00:00", "12:00:00", "12:00:00", "12:00:00"} << "h11 s11 m11 am :00";
        QTest::newRow("Vrimcolor: bars in the old hour, the figure of the new") << Design::Vrimcolor << "11:59:58" << QStringList{"11:59:59", "11:59:59", "11:59:59", "12:00:00"} << "D L13 bars 5/9/59";
        // clang-format on
    }
    void aPassThatStraddlesASecond()
    {
        const auto [design, before, readings, shows] = fetched<Design, QString, QStringList, QString>();
        FakeTime time;
        time.now = before;
        RefreshSignal tag;
        const auto straddled = [&](auto &&face) {
            const auto pass = [&] {
                if constexpr (requires { face.update(time, tag); })
                    face.update(time, tag);
                else
                    face.update(time);
            };
            if constexpr (requires { face.load(time); })
                face.load(time);
            pass();
            time.script = readings;
            pass();
            return describeFace(design, face.controls());
        };
        QCOMPARE(design == Design::Dov     ? straddled(DovFace(Unlit))
                 : design == Design::Norvi ? straddled(NorviFace(Unlit))
                 : design == Design::Quenz ? straddled(QuenzFace(Unlit))
                                           : straddled(VrimcolorFace(Unlit)),
                 shows);
        QVERIFY(time.script.isEmpty());
    }

    // Faces whose rules change only what a turn changes would keep showing the time before the clock
    // was set: a pass after a jump draws the face as a window opened at that time would.
    void aJumpShowsTheFaceOfAWindowOpenedThen_data()
    {
        columns<Design, QString, QString>();
        // clang-format off
        const char *const jumps[][3] = {
            {"back an hour", "11:00:12", "10:00:10"}, {"forward several hours", "11:00:12", "15:31:20"},
            {"forward across noon", "11:58:40", "12:03:05"}, {"back across noon", "13:00:07", "11:59:02"},
            {"forward across midnight", "23:40:12", "00:20:13"}, {"back across midnight", "00:00:20", "23:59:50"},
            {"summer time begins", "01:59:59", "03:00:00"}, {"a resume a few minutes on", "10:00:00", "10:05:03"},
        };
        // clang-format on
        for (const Design design : AllDesigns)
            for (const auto &[name, from, to] : jumps)
                QTest::addRow("%s, %s", qPrintable(designName(design)), name) << design << from << to;
    }
    void aJumpShowsTheFaceOfAWindowOpenedThen()
    {
        const auto [design, from, to] = fetched<Design, QString, QString>();
        ClockRig<> fresh(design, m_shared.path());
        fresh.run({to, to}); // Quenz draws its face in its first pass
        ClockRig<> jumped(design, m_shared.path());
        jumped.run({secondsLater(from, -3), secondsLater(from, -3) + ".." + from, to});
        // Norvi's afternoon indicator tells the half of the day the window was opened in, and
        // Perrin's place is where its creeping took it: the last words of each are left out.
        const auto seen = [design](const ClockRig<> &rig) {
            return QList{Design::Norvi, Design::Perrin}.contains(design) ? describe(rig).section(u' ', 0, -2)
                                                                         : describe(rig);
        };
        QCOMPARE(seen(jumped), seen(fresh));
        if (design != Design::Norvi)
            QVERIFY(jumped.clock.face() == fresh.clock.face());
    }

    // Mip reads its tens' zero from Helps once a run of minutes 00-09 (again after a reload), marking
    // it in its label; a missing one is said once and the list's zero shown. Shows: face, files, label.
    void mipReadsTheHelpsZeroOncePerRun_data()
    {
        columns<bool, QStringList, QString>();
        // clang-format off
        QTest::newRow("through the run") << false << QStringList{"10:05:00", "10:05:01..10:05:03", "=10:09:59", "10:09:59"} << "h10 tz u9 am, Helps/m0.gif, zero";
        QTest::newRow("the run over") << false << QStringList{"10:05:00", "10:09:59", "10:10:00"} << "h10 t1 u0 am, Helps/m0.gif, ";
        QTest::newRow("the next run") << false << QStringList{"10:05:00", "10:10:00", "=10:59:59", "10:59:59", "11:00:00"} << "h11 tz u0 am, Helps/m0.gif Helps/m0.gif, zero";
        QTest::newRow("a reload in the run reads it again") << false << QStringList{"11:03:00", "=11:03:01", "reload", "11:03:02"} << "h11 tz u3 am, Helps/m0.gif Helps/m0.gif, zero";
        QTest::newRow("missing: the list's zero") << true << QStringList{"10:05:00", "10:09:00", "10:10:00", "=11:00:00", "11:00:00", "11:01:00"} << "h11 t0 u1 am, Helps/m0.gif Helps/m0.gif, zero";
        // clang-format on
    }
    void mipReadsTheHelpsZeroOncePerRun()
    {
        const auto [missing, steps, shows] = fetched<bool, QStringList, QString>();
        ClockRig<> rig(Design::Mip, m_shared.path());
        QStringList read;
        rig.clock.onReadPicture([&](int, const QString &path) {
            if (path.startsWith(u":/"))
                return QString();
            read.append(QDir(m_shared.path()).relativeFilePath(path));
            return missing ? QStringLiteral("no such file") : QString();
        });
        rig.run(steps);
        QCOMPARE(QStringList({describe(rig), read.join(u' '), rig.clock.refresh().carrier()}).join(", "),
                 shows);
        QCOMPARE(rig.problems.filter("m0.gif").size(), int(missing));
        QCOMPARE(rig.problems.size(), int(missing));
    }

    // What a reload after Sound Off sends to the player, and whether Sound On is checked again: a closed
    // player forgets its file, so Quenz and Vrimcolor prepare it again after the sample.
    void reloadsDifferByDesign_data()
    {
        columns<Design, QString, QStringList, bool>();
        const QString chosen = QStringLiteral("prepare /x/chosen.wav");
        // clang-format off
        QTest::newRow("Dov checks Sound On again") << Design::Dov << "5 min" << QStringList{chosen} << true;
        QTest::newRow("Dov without a chime") << Design::Dov << "No chime" << QStringList{} << false;
        QTest::newRow("Norvi leaves the marks") << Design::Norvi << "5 min" << QStringList{chosen} << false;
        QTest::newRow("Quenz closes, then plays the new chime once") << Design::Quenz << "5 min" << QStringList{"Close", chosen, "Open", "Play", "Close", chosen} << false;
        QTest::newRow("Vrimcolor likewise, closing in lower case") << Design::Vrimcolor << "15 min" << QStringList{"close", chosen, "Open", "Play", "Close", chosen} << false;
        QTest::newRow("Vrimcolor without a chime: closes only") << Design::Vrimcolor << "No chime" << QStringList{"close"} << false;
        // clang-format on
    }
    void reloadsDifferByDesign()
    {
        const auto [design, interval, sent, soundOnAfter] = fetched<Design, QString, QStringList, bool>();
        Fixture f(design);
        f.clock.load();
        f.clock.tick(); // Quenz reads everything in its first pass
        QVERIFY(f.store.writeSound(design, {QStringLiteral("/x/chosen.wav"), interval}).ok());
        f.clock.frame().chooseMenuItem(QStringLiteral("SoundOff"));
        f.player.log.clear();
        f.clock.refresh().raise();
        f.clock.tick();
        QCOMPARE(f.player.log, sent);
        QCOMPARE(f.clock.frame().soundMenu().soundOn, soundOnAfter);
    }

    // Dov resets after a move has ended (once, however often its end is heard) and after the on-top
    // button, which does nothing where no window can stay on top (Wayland) or on a colour neither ON
    // nor OFF. A chime played to its end is rewound for the next.
    void theFrameAfterAMoveAndTheOnTopButton()
    {
        Fixture wayland;
        wayland.ops.onTopPossible = false;
        wayland.clock.load();
        QCOMPARE(wayland.clock.frame().onTopColour(), frame::Red);
        wayland.clock.frame().pressOnTopButton();
        QCOMPARE(wayland.clock.frame().onTopColour(), frame::Red);
        QCOMPARE(wayland.ops.log, QStringList{});
        QCOMPARE(wayland.clock.resets, 0);

        Fixture dov;
        dov.clock.load();
        QSignalSpy shown(&dov.clock, &Clock::faceChanged);
        dov.clock.frame().pressMoveHandle();
        QCOMPARE(dov.clock.resets, 0);
        dov.ops.endDrag();
        dov.ops.endDrag();
        dov.clock.frame().pressOnTopButton();
        QCOMPARE(dov.clock.resets, 2);
        QCOMPARE(shown.count(), 2);
        dov.clock.frame().setOnTopColour(rgbValue(1, 2, 3));
        dov.clock.frame().pressOnTopButton();
        QCOMPARE(dov.clock.frame().onTopColour(), rgbValue(1, 2, 3));
        QCOMPARE(dov.clock.resets, 2);
        QCOMPARE(dov.ops.log, (QStringList{"on top", "drag", "released"}));
        dov.clock.frame().playerCompleted();
        QCOMPARE(dov.player.log.last(), QStringLiteral("Prev"));
    }

    // Passes a second or two apart, the same second twice, and midnight are no jumps.
    void passesInStepAreNoJumps_data()
    {
        QTest::addColumn<QStringList>("times");
        QTest::newRow("a second a pass, then the same second twice")
            << QStringList{"10:00:00", "10:00:01", "10:00:01"};
        QTest::newRow("a pass late") << QStringList{"10:00:00", "10:00:02"};
        QTest::newRow("midnight") << QStringList{"23:59:58", "23:59:59", "00:00:00", "00:00:01"};
    }
    void passesInStepAreNoJumps()
    {
        QFETCH(QStringList, times);
        Fixture f;
        f.run(QStringList{times.first()} + times);
        QCOMPARE(f.clock.resets, 0);
        QCOMPARE(f.clock.freshFaces, 0);
        f.time.now = secondsLater(times.last(), 3);
        f.clock.tick();
        QCOMPARE(f.clock.freshFaces, 1);
    }
    // What a clock reads and sends from its load on (lumbi empty: as the first start wrote it). Lumbo's
    // file switches its hourly chime on (1), off (0) or prepares the player without chiming (2); a
    // damaged or missing one is said once and gives the defaults, chime on.
    void fromTheLoadOn_data()
    {
        columns<Design, QByteArray, QStringList, QStringList, int, QStringList, int>();
        const QStringList lumboDay{"09:59:58", "09:59:59", "10:00:00", "10:00:00", "10:00:01", "10:30:00"};
        const QString bzz = QStringLiteral("prepare Sounds/bzz.wav"),
                      iauu = QStringLiteral("prepare Sounds/iauu.wav");
        // clang-format off
        QTest::newRow("Dov through the due minute, once") << Design::Dov << QByteArray() << QStringList{"09:04:58", "09:04:59", "09:05:00", "09:05:01", "09:05:30"} << QStringList{"Skins/Vrim/blui-3d.jpg"} << 1 << QStringList{bzz, "Open", "Open", "Play"} << 0;
        QTest::newRow("Dov opened inside a due minute") << Design::Dov << QByteArray() << QStringList{"09:05:30"} << QStringList{"Skins/Vrim/blui-3d.jpg"} << 1 << QStringList{bzz, "Open", "Open", "Play"} << 0;
        QTest::newRow("Vrimcolor's skin lies with Quenz's") << Design::Vrimcolor << QByteArray() << QStringList{"13:00:10"} << QStringList{"Skins/Quenz/hiven-3d.jpg"} << 1 << QStringList{iauu} << 0;
        QTest::newRow("Quenz waits for its first pass") << Design::Quenz << QByteArray() << QStringList{"10:20:07"} << QStringList{} << 0 << QStringList{iauu} << 0;
        QTest::newRow("Quenz's first pass reads everything and chimes") << Design::Quenz << QByteArray() << QStringList{"09:04:58", "09:04:59", "09:05:00"} << QStringList{"Skins/Quenz/dunga-3d.jpg"} << 1 << QStringList{iauu, "Close", iauu, "Open", "Play", "Close", iauu, "Open", "Play"} << 0;
        QTest::newRow("Perrin's picture of the hour, read again only on the hour") << Design::Perrin << QByteArray() << QStringList{"12:59:58", "12:59:59", "13:00:00", "13:00:00"} << QStringList{":/perrin/hour-13.png"} << 2 << QStringList{} << 0;
        QTest::newRow("Lumbo switch 1: once, in the pass of hh:00:00") << Design::Lumbo << QByteArray(" 1 \r\n 2 \r\n 0 \r\n 1 \r\n") << lumboDay << QStringList{} << 0 << QStringList{bzz, bzz, bzz, "Open", "Play", bzz, bzz, bzz} << 0;
        QTest::newRow("Lumbo switch 0: never prepared") << Design::Lumbo << QByteArray(" 1 \r\n 2 \r\n 0 \r\n 0 \r\n") << lumboDay << QStringList{} << 0 << QStringList{} << 0;
        QTest::newRow("Lumbo switch 2: prepared, never chimes") << Design::Lumbo << QByteArray(" 1 \r\n 2 \r\n 0 \r\n 2 \r\n") << lumboDay << QStringList{} << 0 << QStringList(6, bzz) << 0;
        QTest::newRow("Lumbo, a word for a colour: the defaults") << Design::Lumbo << QByteArray(" 255 \r\n blue \r\n 1 \r\n 0 \r\n") << lumboDay << QStringList{} << 0 << QStringList{bzz, bzz, bzz, "Open", "Play", bzz, bzz, bzz} << 1;
        QTest::newRow("Lumbo without its file: the defaults") << Design::Lumbo << QByteArray("missing") << lumboDay << QStringList{} << 0 << QStringList{bzz, bzz, bzz, "Open", "Play", bzz, bzz, bzz} << 1;
        // clang-format on
    }
    void fromTheLoadOn()
    {
        const auto [design, lumbi, times, pictures, pictureLoads, sent, problems] =
            fetched<Design, QByteArray, QStringList, QStringList, int, QStringList, int>();
        ClockRig<> f(design);
        if (lumbi == "missing")
            QVERIFY(QFile::remove(f.folder.file("Settings/lumbi.prf")));
        else if (!lumbi.isEmpty())
            TempProgramFolder::write(f.folder.file("Settings/lumbi.prf"), lumbi);
        f.run(times);
        const QString folder = f.folder.path() + u'/';
        QCOMPARE(QStringList(f.clock.pictures()).replaceInStrings(folder, QString()), pictures);
        QCOMPARE(f.pictureLoads.count(), pictureLoads);
        QCOMPARE(f.player.log.replaceInStrings(folder, QString()), sent);
        if (!cardOf(design).frame.menu.empty())
            QVERIFY(f.clock.frame().soundMenu().soundOn);
        QCOMPARE(f.ops.log, QStringList{"on top"});
        QCOMPARE(f.problems.size(), problems);
        QCOMPARE(f.problems.filter("lumbi.prf").size(), problems);
    }
};

QTEST_GUILESS_MAIN(TestClocks)
#include "tst_clock.moc"
