#include "platform/MoveGesture.h"

#include <QtTest>

using namespace vrim;

// A press on a move handle: the window's move starts only past the drag distance, a press and
// release in place is a click, and a moved window keeps the point it was grabbed by under the
// pointer.
class TestMoveGesture : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pressMoveRelease_data()
    {
        // Events: "press x y" (the window's top left is at 200,150 then), "move x y" with the
        // button held, "free x y" (a move with the button up), "release". What happens: the
        // window's place when its move starts ("move to x,y"), "click", "ended".
        QTest::addColumn<QStringList>("events");
        QTest::addColumn<QStringList>("happens");
        QTest::newRow("press and release in place is a click")
            << QStringList{"press 220 160", "release"} << QStringList{"click"};
        QTest::newRow("a tremble within the drag distance is still a click")
            << QStringList{"press 220 160", "move 224 163", "move 217 158", "move 226 163", "release"}
            << QStringList{"click"};
        QTest::newRow("the drag distance starts the move, grabbed point under the pointer")
            << QStringList{"press 220 160", "move 226 164", "move 290 200", "release"}
            << QStringList{"move to 206,154", "ended"};
        QTest::newRow("the distance counts both ways together")
            << QStringList{"press 220 160", "move 215 165", "release"}
            << QStringList{"move to 195,155", "ended"};
        QTest::newRow("the move starts once")
            << QStringList{"press 220 160", "move 240 160", "move 260 160", "move 280 160", "release"}
            << QStringList{"move to 220,150", "ended"};
        QTest::newRow("a release that went elsewhere ends the press as a click")
            << QStringList{"press 220 160", "free 300 300", "move 400 400", "release"}
            << QStringList{"click"};
        QTest::newRow("a move or release without a press does nothing")
            << QStringList{"move 300 300", "release"} << QStringList{};
        QTest::newRow("a second press after a move starts afresh")
            << QStringList{"press 220 160", "move 260 160", "release", "press 240 160", "release"}
            << QStringList{"move to 240,150", "ended", "click"};
    }
    void pressMoveRelease()
    {
        QFETCH(QStringList, events);
        QFETCH(QStringList, happens);
        MoveGesture gesture(10);
        QStringList seen;
        const auto note = [&](MoveGesture::Step step, QPoint pointer) {
            switch (step) {
            case MoveGesture::Step::StartMove: {
                const QPoint to = gesture.moveTo(pointer);
                seen << QStringLiteral("move to %1,%2").arg(to.x()).arg(to.y());
                break;
            }
            case MoveGesture::Step::Click:
                seen << QStringLiteral("click");
                break;
            case MoveGesture::Step::MoveEnded:
                seen << QStringLiteral("ended");
                break;
            case MoveGesture::Step::None:
                break;
            }
        };
        for (const QString &event : events) {
            const QStringList words = event.split(u' ');
            const QPoint at = words.size() == 3 ? QPoint(words[1].toInt(), words[2].toInt()) : QPoint();
            if (words[0] == u"press")
                gesture.press(at, QPoint(200, 150));
            else if (words[0] == u"move" || words[0] == u"free")
                note(gesture.move(at, words[0] == u"move"), at);
            else
                note(gesture.release(), at);
        }
        QCOMPARE(seen, happens);
        QVERIFY(!gesture.isPressed());
    }
};

QTEST_GUILESS_MAIN(TestMoveGesture)
#include "tst_movegesture.moc"
