#include "base/WindowNames.h"
#include "clocks/ClockWindow.h"
#include "clocks/dov/DovControls.h"
#include "shell/LauncherWindow.h"
#include "support/ProgramRig.h"
#include "ui/Accessible.h"
#include "ui/ClickLabel.h"
#include "ui/WidgetWindow.h"

#include <QAccessible>
#include <QtTest>

using namespace vrim;
using namespace vrim::test;

// What assistive technology reads of the windows, and what the keyboard does in them.
class TestAccessibility : public QObject {
    Q_OBJECT

    static QAccessibleInterface *reader(QWidget *widget)
    {
        return QAccessible::queryAccessibleInterface(widget);
    }
    static QWidget *shownWidget(ProgramRig &rig, const QString &name)
    {
        rig.program.registry().show(name);
        auto *handle = dynamic_cast<WidgetWindow *>(rig.program.registry().window(name));
        return handle ? handle->widget() : nullptr;
    }

private Q_SLOTS:
    void everyPressableControlHasAName_data()
    {
        QTest::addColumn<QString>("window");
        for (const QString &name :
             {window::Dov, window::Norvi, window::Quenz, window::Perrin, window::Jolvex, window::Vrimcolor,
              window::Mip, window::Lumbo, window::Stopwatch, window::InternetTime, window::HelpMenu,
              window::HelpPage, window::About, window::LumboPrefs, QStringLiteral("dovprefs")})
            QTest::newRow(qPrintable(name)) << name;
    }
    void everyPressableControlHasAName()
    {
        QFETCH(QString, window);
        ProgramRig rig(QStringLiteral("10:37:05"));
        QWidget *shown = shownWidget(rig, window);
        QVERIFY(shown);
        int pressable = 0;
        for (QWidget *control : shown->findChildren<QWidget *>()) {
            QAccessibleInterface *face = reader(control);
            if (!face || !control->isVisibleTo(shown))
                continue;
            const QAccessible::Role role = face->role();
            if (role != QAccessible::Button && role != QAccessible::CheckBox &&
                role != QAccessible::RadioButton && role != QAccessible::Link &&
                role != QAccessible::ComboBox)
                continue;
            ++pressable;
            QVERIFY2(!face->text(QAccessible::Name).trimmed().isEmpty(), qPrintable(control->objectName()));
        }
        QVERIFY(pressable > 0);
    }

    void fieldsAreReadWithTheirCaptions_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("name");
        // clang-format off
        QTest::newRow("UTC") << window::InternetTime << "txtOutput" << "UTC   TIME";
        QTest::newRow("local") << window::InternetTime << "LocalTime" << "LOCAL  TIME";
        QTest::newRow("PC clock") << window::InternetTime << "txt1" << "PC Clock";
        QTest::newRow("first start stamp") << window::Stopwatch << "SDisplay" << "Reference 1 Started";
        QTest::newRow("second stop stamp") << window::Stopwatch << "FgDisplay" << "Reference 2 Stopped";
        // clang-format on
    }
    void fieldsAreReadWithTheirCaptions()
    {
        QFETCH(QString, window);
        QFETCH(QString, field);
        QFETCH(QString, name);
        ProgramRig rig(QStringLiteral("10:37:05"));
        QWidget *shown = shownWidget(rig, window);
        QVERIFY(shown);
        auto *control = shown->findChild<QWidget *>(field);
        QVERIFY(control);
        QCOMPARE(reader(control)->text(QAccessible::Name), name);
    }

    void clockButtonsSayWhatTheyAreAndTheOnTopState()
    {
        ProgramRig rig(QStringLiteral("10:37:05"));
        ClockWindow *dov = rig.openClock(Design::Dov);
        QAccessibleInterface *move = reader(dov->button(dov::control::Move));
        QCOMPARE(move->role(), QAccessible::Button);
        QCOMPARE(move->text(QAccessible::Name), QStringLiteral("Move"));
        QAccessibleInterface *menu = reader(dov->button(dov::control::Preferences));
        QCOMPARE(menu->text(QAccessible::Name), QStringLiteral("Preferences"));
        QVERIFY(menu->state().hasPopup);
        QAccessibleInterface *onTop = reader(dov->button(dov::control::OnTop));
        QCOMPARE(onTop->role(), QAccessible::CheckBox);
        QCOMPARE(onTop->text(QAccessible::Name), QStringLiteral("onTop"));
        QVERIFY(onTop->state().checkable);
        QVERIFY(onTop->state().checked);
        QCOMPARE(onTop->text(QAccessible::Description), QStringLiteral("light green"));
        // Pressed by assistive technology as by the mouse: off top, and red.
        onTop->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QVERIFY(!dov->clock().frame().isOnTop());
        QVERIFY(!onTop->state().checked);
        QCOMPARE(onTop->text(QAccessible::Description), QStringLiteral("red"));
    }

    void theFaceSaysTheTimeItShows()
    {
        ProgramRig rig(QStringLiteral("10:37:05"));
        ClockWindow *dov = rig.openClock(Design::Dov);
        QAccessibleInterface *face = reader(dov->spokenFace());
        QCOMPARE(face->role(), QAccessible::StaticText);
        QCOMPARE(face->text(QAccessible::Name), QStringLiteral("10:37"));
        rig.passAt("10:38:00");
        QCOMPARE(face->text(QAccessible::Name), QStringLiteral("10:38"));
        // Under the buttons: the mouse still reaches them.
        QCOMPARE(dov->childAt(dov->button(dov::control::Move)->geometry().center()),
                 dov->button(dov::control::Move));
    }

    // Tab and Enter along the launcher, the help picture's name and the menu keys are the
    // screen-reader script's; Space is not.
    void launcherEntriesOpenWithSpace()
    {
        ProgramRig rig(QStringLiteral("10:37:05"));
        LauncherWindow launcher(rig.program.registry());
        ClickLabel *dov = launcher.bar(QStringLiteral("Dov"));
        QCOMPARE(dov->focusPolicy(), Qt::TabFocus);
        QCOMPARE(reader(dov)->role(), QAccessible::Button);
        QTest::keyClick(dov, Qt::Key_Space);
        QVERIFY(rig.program.registry().isLoaded(window::Dov));
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
