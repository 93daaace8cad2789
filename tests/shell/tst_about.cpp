#include "BuildConfig.h"
#include "app/Program.h"
#include "base/WindowNames.h"
#include "shell/AboutBox.h"
#include "shell/AboutRules.h"
#include "support/FakePlatform.h"
#include "ui/ClickLabel.h"
#include "ui/WidgetWindow.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace vrim;
using vrim::test::FakePlatform;

namespace {

// Finds only the programs it is given, at made-up paths.
about::FindOnPath findOnly(QStringList present)
{
    return [present](const QString &program) {
        return present.contains(program) ? QStringLiteral("/opt/bin/") + program : QString();
    };
}

} // namespace

class TestAbout : public QObject {
    Q_OBJECT

    struct Fixture {
        QTemporaryDir dir;
        FakePlatform platform;
        Program program{platform, DataFolders(dir.path()), [] {}};

        AboutBox *show()
        {
            program.registry().show(window::About);
            auto *handle = dynamic_cast<WidgetWindow *>(program.registry().window(window::About));
            return handle ? qobject_cast<AboutBox *>(handle->widget()) : nullptr;
        }
        bool open() { return program.registry().isLoaded(window::About); }
    };

    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

private Q_SLOTS:
    void versionText_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("expected");
        // clang-format off
        QTest::newRow("patch") << "1.0.5" << "Version 1.0.5";
        QTest::newRow("two digits") << "2.10.0" << "Version 2.10.0";
        QTest::newRow("this build") << "1.0.0" << "Version 1.0.0";
        QTest::newRow("padded") << "01.02.03" << "Version 1.2.3";
        // clang-format on
    }
    void versionText()
    {
        QFETCH(QString, version);
        QFETCH(QString, expected);
        QCOMPARE(about::versionText(version), expected);
    }

    void showsTitleAndVersionInAFixedBox()
    {
        Fixture f;
        AboutBox *about = f.show();
        QVERIFY(about && about->isVisible());
        QCOMPARE(about->windowTitle(), QStringLiteral("About Vrim Clocks"));
        QCOMPARE(about->minimumSize(), QSize(382, 237));
        QCOMPARE(about->maximumSize(), QSize(382, 237));
        QVERIFY(!(about->windowFlags() & (Qt::WindowMinMaxButtonsHint)));
        QCOMPARE(about->findChild<QLabel *>("lblVersion")->text(),
                 about::versionText(QString::fromLatin1(build::Version)));

        // Shown again, it is the same box brought forward.
        QCOMPARE(f.show(), about);
    }

    void enterAndEscapeUnload_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
        QTest::newRow("Esc") << int(Qt::Key_Escape);
    }
    void enterAndEscapeUnload()
    {
        QFETCH(int, key);
        Fixture f;
        QPointer<AboutBox> about = f.show();
        QTest::keyClick(about.data(), Qt::Key(key));
        QVERIFY(!f.open());
        settle();
        QVERIFY(about.isNull());
    }

    void sysInfoWithNoToolTellsTheUser()
    {
        FakePlatform platform;
        about::startSysInfo(platform, platform, findOnly({}));
        QCOMPARE(platform.shownMessages, QStringList{"System Information Is Unavailable At This Time"});
        QVERIFY(platform.startedPrograms.isEmpty());
    }

    void sysInfoStartsTheFirstToolFound()
    {
        FakePlatform platform;
        const QStringList tools = about::systemInfoPrograms();
        QVERIFY(tools.size() >= 3);
        about::startSysInfo(platform, platform, findOnly({tools[1], tools.last()}));
        // The program itself, by its full path: no shell in between.
        QCOMPARE(platform.startedPrograms, QStringList{"/opt/bin/" + tools[1]});
        QVERIFY(platform.shownMessages.isEmpty());
    }

    void sysInfoThatWillNotStartTellsTheUser()
    {
        FakePlatform platform;
        platform.programsStart = false;
        about::startSysInfo(platform, platform, findOnly(about::systemInfoPrograms()));
        QCOMPARE(platform.startedPrograms.size(), 1);
        QCOMPARE(platform.shownMessages, QStringList{about::unavailableText()});
    }

    void sysInfoButtonLeavesTheBoxOpen()
    {
        FakePlatform platform;
        WindowRegistry registry;
        registry.define(window::About, [&] {
            return std::make_unique<WidgetWindow>(new AboutBox(registry, platform, findOnly({})));
        });
        registry.show(window::About);
        auto *about = static_cast<WidgetWindow *>(registry.window(window::About))->widget();
        auto *button = about->findChild<QPushButton *>("cmdSysInfo");
        QCOMPARE(button->text(), QStringLiteral("&System Info..."));
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(platform.shownMessages, QStringList{about::unavailableText()});
        QVERIFY(registry.isLoaded(window::About));
    }

    void linkOpensTheHomePage()
    {
        Fixture f;
        f.platform.pagesOpen = false; // no browser: still nothing to tell
        QTest::mouseClick(f.show()->findChild<ClickLabel *>("Label3"), Qt::LeftButton);
        QCOMPARE(f.platform.openedPages, QStringList{QString::fromLatin1(build::HomePage)});
        QVERIFY(f.platform.shownMessages.isEmpty());
        QVERIFY(f.open());
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
