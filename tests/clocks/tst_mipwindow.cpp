#include "base/WindowNames.h"
#include "clocks/ClockWindow.h"
#include "clocks/mip/MipClock.h"
#include "help/MipSamplesWindow.h"
#include "settings/SkinManagerDialog.h"
#include "support/ProgramRig.h"
#include "ui/Artwork.h"
#include "ui/WidgetWindow.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace vrim;
using namespace vrim::test;

namespace {

// Every opaque pixel of `picture` shows in `shown` with the picture's top-left at `corner`.
bool showsPicture(const QImage &shown, const QImage &picture, QPoint corner, QString *why)
{
    const QImage drawn = picture.convertToFormat(QImage::Format_ARGB32);
    int opaque = 0;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x) {
            const QRgb want = drawn.pixel(x, y);
            if (qAlpha(want) != 255)
                continue;
            ++opaque;
            const QRgb got = shown.pixel(corner + QPoint(x, y));
            if ((got & 0xffffff) != (want & 0xffffff)) {
                *why = QStringLiteral("at %1,%2: %3 instead of %4")
                           .arg(x)
                           .arg(y)
                           .arg(QColor(got).name(), QColor(want).name());
                return false;
            }
        }
    *why = QStringLiteral("no opaque pixel");
    return opaque > 20;
}

// Where the pictures start in the middles of Command4 (6,4 55x55 px), Command2 (6,59 55x31) and
// Command3 (6,90 55x31) of the 67 x 152 window; a half pixel rounds right and down.
const QPoint HourAt(13, 11), TensAt(23, 64), UnitsAt(23, 95);

} // namespace

// The Mip clock in its real window, read from its pixels; its buttons, menu and way out; and the
// "Mip Numbers" window on its own.
class TestMipWindow : public QObject {
    Q_OBJECT

    struct Fixture : ProgramRig {
        ClockWindow *mip = nullptr;

        explicit Fixture(const char *now = "13:09:40", bool withHelpsZero = true)
            : ProgramRig(QString::fromLatin1(now))
        {
            if (withHelpsZero) {
                QVERIFY(QDir().mkpath(folder.file("Helps")));
                QVERIFY(QFile::copy(QStringLiteral(QT_TESTCASE_SOURCEDIR "/../data/Helps/m0.gif"),
                                    folder.file("Helps/m0.gif")));
            }
        }
        ClockWindow *open()
        {
            mip = openClock(Design::Mip);
            return mip;
        }
        QImage shown() const { return mip->grab().toImage(); }
        bool shows(QPoint corner, const QString &picture) const
        {
            QString why;
            const bool ok = showsPicture(shown(), QImage(picture), corner, &why);
            if (!ok)
                qWarning() << picture << why;
            return ok;
        }
    };

    static QString helpsZero() { return QStringLiteral(QT_TESTCASE_SOURCEDIR "/../data/Helps/m0.gif"); }

private Q_SLOTS:
    void opensFromItsPlaceShowingTheTime()
    {
        Fixture f;
        ClockWindow *mip = f.open();
        QVERIFY(mip);
        QCOMPARE(mip->geometry(), QRect(683, 26, 67, 152));
        QVERIFY(mip->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(f.shows(HourAt, QStringLiteral(":/mip/hour-01.png")));
        QVERIFY(f.shows(TensAt, helpsZero()));
        QVERIFY(f.shows(UnitsAt, QStringLiteral(":/mip/digit-9.png")));
        const QImage shown = f.shown();
        QCOMPARE(shown.pixelColor(43, 122), QColor(0, 255, 0));     // the lamp: afternoon
        QCOMPARE(shown.pixelColor(20, 122), QColor(192, 255, 120)); // on top
        // The two small buttons lie over the Exit button's upper part.
        QWidget *exit = mip->button(mip::control::Exit);
        QVERIFY(qobject_cast<QPushButton *>(exit));
        QCOMPARE(exit->toolTip(), QStringLiteral("Exit"));
        QCOMPARE(mip->childAt(20, 125)->objectName(), mip::control::OnTop);
        QCOMPARE(mip->childAt(43, 125)->objectName(), mip::control::Move);
        QCOMPARE(mip->childAt(34, 140), exit);
        // Only the default skin is missing from the test folder.
        QCOMPARE(f.platform.warnings.size(), 1);
        QVERIFY(f.platform.warnings.front().contains(QStringLiteral("ruca.jpg")));

        // At 13:10 the tens become the list's one and the units its zero.
        f.passAt("13:10:00");
        QVERIFY(f.shows(TensAt, QStringLiteral(":/mip/digit-1.png")));
        QVERIFY(f.shows(UnitsAt, QStringLiteral(":/mip/digit-0.png")));
        QCOMPARE(f.platform.warnings.size(), 1);
    }

    // The zero is read at the start of a run and kept: a file gone in the run changes nothing
    // until the next run, which shows the list's zero and says so once.
    void theHelpsZeroIsReadOnlyAtTheStartOfARun()
    {
        Fixture f("10:05:00");
        QVERIFY(f.open());
        QVERIFY(QFile::remove(f.folder.file("Helps/m0.gif")));
        f.passAt("10:09:59");
        QVERIFY(f.shows(TensAt, helpsZero()));
        QCOMPARE(f.platform.warnings.size(), 1); // the skin
        f.passAt("10:10:00");
        f.passAt("11:00:00");
        QVERIFY(f.shows(TensAt, QStringLiteral(":/mip/digit-0.png")));
        QCOMPARE(f.platform.warnings.size(), 2);
        QVERIFY(f.platform.warnings.back().contains(QStringLiteral("m0.gif")));
        f.passAt("11:10:00");
        f.passAt("12:00:00");
        QCOMPARE(f.platform.warnings.size(), 2);
    }

    void aPassThatChangesNothingPaintsNothing()
    {
        Fixture f;
        ClockWindow *mip = f.open();
        QCoreApplication::processEvents();
        int paints = 0;
        struct Counter : QObject {
            int &n;
            explicit Counter(int &count)
                : n(count)
            {}
            bool eventFilter(QObject *, QEvent *event) override
            {
                n += event->type() == QEvent::UpdateRequest || event->type() == QEvent::Paint;
                return false;
            }
        } counter(paints);
        mip->installEventFilter(&counter);
        f.passAt("13:09:41");
        f.passAt("13:09:42");
        QCoreApplication::processEvents();
        QCOMPARE(paints, 0);
        f.passAt("13:10:00");
        QCoreApplication::processEvents();
        QVERIFY(paints > 0);
        mip->removeEventFilter(&counter);
    }

    void aDoubleClickOnTheMoveButtonOpensTheMenu()
    {
        Fixture f;
        ClockWindow *mip = f.open();
        QWidget *move = mip->button(mip::control::Move);
        // The first press is a drag's: no menu.
        QCOMPARE(ProgramRig::menuPoppedBy([&] { QTest::mouseClick(move, Qt::LeftButton); }).first, QString());
        const auto [popped, items] =
            ProgramRig::menuPoppedBy([&] { QTest::mouseDClick(move, Qt::LeftButton); });
        QCOMPARE(popped, QStringLiteral("MipPrefs"));
        QCOMPARE(items, (QStringList{"Help", "Skin Manager", "Sound", "-", "About", "Quit"}));
        std::map<QString, ClockWindow::ItemState> states;
        for (const auto &[name, state] : mip->menuItems())
            states[name] = state;
        QCOMPARE(states[QStringLiteral("SoundOn")].caption, QStringLiteral("On"));
        QVERIFY(states[QStringLiteral("SoundOn")].checked);
        QCOMPARE(states[QStringLiteral("SoundOff")].caption, QStringLiteral("Off"));
        QVERIFY(!states[QStringLiteral("SoundOff")].checked);
    }

    void theSkinManagersOkReloadsOnce()
    {
        Fixture f;
        ClockWindow *mip = f.open();
        RecordingPlayer &player = f.player();
        const QString sound = QStringLiteral("prepare ") + f.folder.file("Sounds/niaa.wav");
        player.log.clear();
        mip->clock().frame().chooseMenuItem(QStringLiteral("SkinManager"));
        QCOMPARE(player.log, QStringList{"close"});
        auto *handle =
            dynamic_cast<WidgetWindow *>(f.program.registry().window(QStringLiteral("MipPreferences")));
        auto *dialog = handle ? qobject_cast<SkinManagerDialog *>(handle->widget()) : nullptr;
        QVERIFY(dialog);
        QTest::mouseClick(dialog->button(QStringLiteral("Ok")), Qt::LeftButton);
        ProgramRig::settle();
        f.passAt("13:09:42");
        QCOMPARE(player.log, (QStringList{"close", sound}));
        f.passAt("13:09:43");
        QCOMPARE(player.log.size(), 2);
        QVERIFY(f.shows(TensAt, helpsZero())); // read again after the reload, still shown
    }

    void exitShowsTheLauncher()
    {
        Fixture f;
        ClockWindow *mip = f.open();
        RecordingPlayer &player = f.player();
        QTest::mouseClick(mip->button(mip::control::Exit), Qt::LeftButton, {}, QPoint(30, 20));
        QCOMPARE(player.log.back(), QStringLiteral("Close")); // before the window and its player go
        ProgramRig::settle();
        QVERIFY(!f.program.registry().isLoaded(window::Mip));
        QCOMPARE(f.program.registry().loaded(), QStringList{window::Launcher});
    }

    // On a dense screen the pictures' twins at twice the size take the plain ones' room.
    void aDenseScreenGetsTheTwins()
    {
        const QImage twin = loadArtwork(QStringLiteral(":/mip/hour-12.png"), 2.0);
        QCOMPARE(twin.size(), QSize(84, 84));
        QCOMPARE(twin.deviceIndependentSize(), QSizeF(42, 42));
        QCOMPARE(loadArtwork(QStringLiteral(":/mip/digit-0.png"), 1.0).size(), QSize(21, 21));
    }

    // "Mip Numbers" on its own: each 1.6 s tick shows the next hour picture with its number,
    // placed by the table from the window's outer size.
    void mipNumbersCountsOneToTwelveAndRound()
    {
        Fixture f;
        f.program.registry().show(window::MipSamples);
        auto *handle = dynamic_cast<WidgetWindow *>(f.program.registry().window(window::MipSamples));
        auto *samples = handle ? qobject_cast<MipSamplesWindow *>(handle->widget()) : nullptr;
        QVERIFY(samples);
        QCOMPARE(samples->windowTitle(), QStringLiteral("Mip Numbers"));
        QVERIFY(samples->windowFlags() & Qt::Tool);
        QCOMPARE(samples->size(), QSize(118, 101));
        FakeTimer &timer = *f.platform.timers.back();
        QCOMPARE(timer.interval(), 1600);
        QCOMPARE(samples->numberLabel()->text(), QString());

        const QSize outer = samples->frameGeometry().size() * 15;
        for (int tick = 1; tick <= 13; ++tick) { // 1.6 s, 3.2 s, ... 19.2 s, 20.8 s
            timer.elapse();
            const int n = (tick - 1) % 12 + 1;
            QCOMPARE(samples->numberLabel()->text(), QString::number(n));
            const auto premultiplied = QImage::Format_ARGB32_Premultiplied;
            const QImage picture = QImage(MipSamples::picture(n)).convertToFormat(premultiplied);
            QCOMPARE(samples->picture()->pixmap().toImage().convertToFormat(premultiplied), picture);
            const QPoint place = MipSamples::place(n, outer);
            QCOMPARE(samples->picture()->pos(), QPoint(qRound(place.x() / 15.0), qRound(place.y() / 15.0)));
        }
        QCOMPARE(MipSamples::place(1, {1770, 1515}), QPoint(590, 353));
        QCOMPARE(MipSamples::place(3, {1770, 1515}), QPoint(583, 283));
        QCOMPARE(MipSamples::place(10, {1770, 1515}), QPoint(563, 363));
        QCOMPARE(MipSamples::place(12, {1770, 1515}), QPoint(473, 253));

        // Hidden by the help page's "Hide Sample", it no longer wakes; shown again, it counts on.
        samples->hide();
        QVERIFY(!timer.isActive());
        samples->show();
        QVERIFY(timer.isActive());
        timer.elapse();
        QCOMPARE(samples->numberLabel()->text(), QStringLiteral("2"));

        samples->close();
        ProgramRig::settle();
        QVERIFY(!f.program.registry().isLoaded(window::MipSamples));
    }
};

QTEST_MAIN(TestMipWindow)
#include "tst_mipwindow.moc"
