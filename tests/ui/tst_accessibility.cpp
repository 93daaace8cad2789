#include "base/WindowNames.h"
#include "clocks/ClockWindow.h"
#include "clocks/dov/DovControls.h"
#include "shell/LauncherWindow.h"
#include "support/ProgramRig.h"
#include "ui/Accessible.h"
#include "ui/ClickLabel.h"

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

private Q_SLOTS:
    // Every control a user can press has a name, and the fields are read with their captions.
    // The end-to-end windows script reads the windows the launcher opens on the real
    // accessibility bus; these are the rest of them, and the fields.
    void everyControlIsNamed()
    {
        ProgramRig rig(QStringLiteral("10:37:05"));
        for (const QString &name :
             {window::HelpPage, window::About, window::LumboPrefs, QStringLiteral("dovprefs")}) {
            QWidget *shown = rig.show(name);
            QVERIFY2(shown, qPrintable(name));
            int pressable = 0;
            for (QWidget *control : shown->findChildren<QWidget *>()) {
                QAccessibleInterface *face = reader(control);
                if (!face || !control->isVisibleTo(shown) ||
                    !QList{QAccessible::Button, QAccessible::CheckBox, QAccessible::RadioButton,
                           QAccessible::Link, QAccessible::ComboBox}
                         .contains(face->role()))
                    continue;
                ++pressable;
                QVERIFY2(!face->text(QAccessible::Name).trimmed().isEmpty(),
                         qPrintable(name + u' ' + control->objectName()));
            }
            QVERIFY2(pressable > 0, qPrintable(name));
        }
        const std::tuple<QString, const char *, const char *> fields[] = {
            {window::InternetTime, "txtOutput", "UTC   TIME"},
            {window::InternetTime, "LocalTime", "LOCAL  TIME"},
            {window::InternetTime, "txt1", "PC Clock"},
            {window::Stopwatch, "SDisplay", "Reference 1 Started"},
            {window::Stopwatch, "FgDisplay", "Reference 2 Stopped"}};
        for (const auto &[name, field, caption] : fields) {
            auto *control = rig.show(name)->findChild<QWidget *>(QLatin1String(field));
            QVERIFY2(control, field);
            QCOMPARE(reader(control)->text(QAccessible::Name), QLatin1String(caption));
        }
    }

    // Dov's buttons are read as what they are; the on-top switch, pressed by assistive technology
    // as by the mouse, says its new state and colour. (Its first state is the script's.)
    void clockButtonsSayWhatTheyAreAndTheOnTopState()
    {
        ProgramRig rig(QStringLiteral("10:37:05"));
        ClockWindow *dov = rig.openClock(Design::Dov);
        QCOMPARE(reader(dov->button(dov::control::Move))->role(), QAccessible::Button);
        QVERIFY(reader(dov->button(dov::control::Preferences))->state().hasPopup);
        QAccessibleInterface *onTop = reader(dov->button(dov::control::OnTop));
        QCOMPARE(onTop->role(), QAccessible::CheckBox);
        QVERIFY(onTop->state().checkable);
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
    // end-to-end windows script's; Space is not.
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
