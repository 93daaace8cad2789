#include "clocks/FacePainter.h"
#include "help/HelpPage.h"
#include "settings/SkinManagerModel.h"
#include "support/ProgramRig.h"
#include "ui/Fonts.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QtTest>

using namespace vrim;
using namespace vrim::test;

// The windows are laid out in fixed sizes for the fonts they name. With a font of other metrics
// (a machine without the metric-compatible faces) their texts are cut off: this catches that,
// measured with the fonts actually in use.
class TestTextFit : public QObject {
    Q_OBJECT

    // The columns of pixels that drawing the text inks, as a label draws it: what can be cut
    // off. (Advances and bounding rectangles are rounded and may end in blank side bearing.)
    static int inkWidth(const QFont &font, const QString &text)
    {
        const QFontMetrics metrics(font);
        QImage canvas(metrics.horizontalAdvance(text) + 40, metrics.height() + 10, QImage::Format_RGB32);
        canvas.fill(Qt::white);
        {
            QPainter painter(&canvas);
            painter.setFont(font);
            painter.setPen(Qt::black);
            painter.drawText(20, 5 + metrics.ascent(), text);
        }
        int left = canvas.width(), right = -1;
        for (int y = 0; y < canvas.height(); ++y)
            for (int x = 0; x < canvas.width(); ++x)
                if (canvas.pixel(x, y) != qRgb(255, 255, 255)) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
        return right < 0 ? 0 : std::max(right - 20 + 1, right - left + 1);
    }

    static QString needs(int width, int height, QSize room)
    {
        return QString::asprintf("needs %dx%d px, has %dx%d", width, height, room.width(), room.height());
    }

    // Where a control's text does not fit, with its measures, or "" when all fit.
    static QStringList misfits(QWidget *window)
    {
        QStringList found;
        const auto say = [&found](const QWidget *control, const QString &text, const QString &how) {
            found.append(QStringLiteral("%1 '%2' in %3 (font %4 %5pt): %6")
                             .arg(control->objectName(), text, control->window()->windowTitle(),
                                  QFontInfo(control->font()).family(),
                                  QString::number(control->font().pointSizeF()), how));
        };
        for (QLabel *label : window->findChildren<QLabel *>()) {
            const QString text = label->text();
            if (text.isEmpty() || !label->isVisibleTo(window))
                continue;
            const QRect room = label->contentsRect();
            if (label->wordWrap()) {
                if (const int height = label->heightForWidth(label->width()); height > label->height())
                    say(label, text, needs(label->width(), height, label->size()));
                // A piece it cannot break (no space, no zero-width space) must fit across.
                for (const QString &piece :
                     QString(text).replace(QChar(0x200B), u' ').simplified().split(u' '))
                    if (const int width = inkWidth(label->font(), piece); width > room.width())
                        say(label, piece, needs(width, 0, room.size()));
            } else if (const int width = inkWidth(label->font(), text),
                       height = label->fontMetrics().height();
                       width > room.width() || height > room.height()) {
                say(label, text, needs(width, height, room.size()));
            }
            // A label that reaches outside its parent is cut off there.
            if (QWidget *parent = label->parentWidget();
                parent && !parent->rect().contains(label->geometry()))
                say(label, text, QStringLiteral("reaches outside its parent"));
        }
        for (QPushButton *button : window->findChildren<QPushButton *>()) {
            QStyleOptionButton option;
            option.initFrom(button);
            option.text = button->text();
            const QRect room =
                button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
            const QString shown = QString(button->text()).remove(u'&');
            if (const int width = button->fontMetrics().horizontalAdvance(shown); width > room.width())
                say(button, shown, needs(width, 0, room.size()));
        }
        for (QAbstractButton *option : window->findChildren<QAbstractButton *>()) // check and radio boxes
            if ((qobject_cast<QCheckBox *>(option) || qobject_cast<QRadioButton *>(option)) &&
                option->sizeHint().width() > option->width())
                say(option, option->text(), needs(option->sizeHint().width(), 0, option->size()));
        return found;
    }

private Q_SLOTS:
    void theFacesTheWindowsNameAreMetricCompatible()
    {
        // Arial and Courier New must come from faces with their metrics, not a wider stand-in.
        ProgramRig f("15:20:05", {});
        QCOMPARE(QFontInfo(QApplication::font()).family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(QFontInfo(windowFont(QStringLiteral("Courier New"), 15.75, true)).family(),
                 QStringLiteral("Liberation Mono"));
    }

    void everyFixedLabelFitsItsText()
    {
        qputenv("VRIM_DAYTIME_SERVER", "127.0.0.1:1"); // nothing leaves the machine
        ProgramRig f("15:20:05", {});
        QStringList found;
        // Opens a window and measures it after each of `steps` (and once more at the end).
        const auto measure = [&](const QString &name,
                                 std::vector<std::function<void(QWidget *)>> steps = {}) {
            QWidget *window = f.show(name);
            QVERIFY2(window, qPrintable(name));
            for (const auto &step : steps) {
                found += misfits(window);
                step(window);
            }
            found += misfits(window);
        };
        const auto times = [](int count, const std::function<void(QWidget *)> &step) {
            return std::vector<std::function<void(QWidget *)>>(count, step);
        };
        const auto click = [](const char *button) {
            return [button](QWidget *window) {
                window->findChild<QPushButton *>(QString::fromLatin1(button))->click();
            };
        };
        const auto tick = [&f](QWidget *) { f.platform.timers.back()->elapse(); }; // the window's own timer
        measure(window::Splash, times(8, tick)); // every countdown text the splash shows
        measure(window::Launcher);
        measure(window::About);
        // Gantos, with every caption its buttons take, and counts in its boxes.
        measure(window::Stopwatch, {click("Command3"), click("Command3"), click("Command3"),
                                    click("Command1"), click("Command2"), [&](QWidget *) {
                                        for (int second = 7; second < 10; ++second) {
                                            f.platform.clock.now = QStringLiteral("23:59:5%1").arg(second);
                                            f.platform.clock.monoMs += 1000;
                                            f.platform.timers.front()->elapse(); // the second ticker's
                                        }
                                    }});
        for (const SkinManagerDesign &design : skinmanager::all()) {
            measure(design.window);
            f.program.registry().unload(design.window);
        }
        // Lumbo's dialog, its caption for either border included.
        measure(window::LumboPrefs, {[](QWidget *dialog) {
                    QTest::mouseClick(dialog->findChild<QWidget *>(QStringLiteral("Command5")),
                                      Qt::LeftButton);
                }});
        // Mip Numbers: every number its label shows, "1" to "12".
        measure(window::MipSamples, times(12, tick));
        // The help browser: the help menu's rows, both captions of the sample button, the
        // sample windows' captions and the words that name a missing sample picture.
        measure(window::HelpMenu);
        showHelpPage(f.program.registry(), QStringLiteral("Vrimcolor"));
        measure(window::HelpPage, {click("Command1"), click("Command1")});
        for (const QString &name :
             {window::NorviSample, window::QuenzSample, window::MipSample, window::LumboSample}) {
            measure(name);
            QWidget *sample = f.show(name);
            if (sample && sample->fontMetrics().horizontalAdvance(sample->windowTitle()) > sample->width())
                found.append(name + QStringLiteral(": its caption is wider than the window"));
        }
        // Perrin's minutes, on their label inside the 27 x 15 px box.
        measure(window::Perrin);
        f.program.registry().unload(window::Perrin);
        // Ostran Time: its fixed texts, the widest time its fields show and its longest status.
        measure(window::InternetTime, {[&](QWidget *ostran) {
                    for (QLineEdit *field : ostran->findChildren<QLineEdit *>())
                        if (const int width =
                                inkWidth(field->font(), QStringLiteral("00:00:00 PM")) + 8; // frame, margins
                            width > field->width())
                            found.append(field->objectName() +
                                         QString::asprintf(" needs %d px, has %d", width, field->width()));
                    ostran->findChild<QLabel *>(QStringLiteral("lblStatus"))
                        ->setText(QStringLiteral(
                            "PC clock not set: no time service (systemd-timedated) is running, "
                            "and this program may not set the clock itself"));
                }});
        f.program.registry().unload(window::InternetTime);
        QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n')));
    }

    void everyClockFaceTextFitsItsControl()
    {
        // Face texts change with the time: every minute of an hour, each painted as the
        // window paints it, in the font it names.
        ProgramRig f("15:20:05", {});
        QStringList found;
        for (const Design design : AllDesigns) {
            if (!f.program.registry().isDefined(windowOf(design)))
                continue; // still to come in this build
            ClockWindow *clock = f.openClock(design);
            QVERIFY(clock);
            for (int minute = 0; minute < 60; ++minute) {
                f.platform.clock.now = QStringLiteral("15:%1:05").arg(minute, 2, 10, QLatin1Char('0'));
                clock->pass();
                const Face &face = clock->clock().face();
                for (int i = 0; i < face.size(); ++i) {
                    const FaceControl &control = face[i];
                    if (control.text.isEmpty() || !control.font)
                        continue;
                    const QFont font =
                        windowFont(control.font->family, control.font->points, control.font->bold);
                    const QRect box = FacePainter::shownPixels(face, i);
                    const int width = inkWidth(font, control.text);
                    const int height = QFontMetrics(font).ascent();
                    if (width > box.width() || height > box.height())
                        found.append(QStringLiteral("%1 '%2' of %3 ")
                                         .arg(control.name, control.text, windowOf(design)) +
                                     needs(width, height, box.size()));
                }
            }
            f.program.registry().unload(windowOf(design));
        }
        QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n')));
    }
};

QTEST_MAIN(TestTextFit)
#include "tst_textfit.moc"
