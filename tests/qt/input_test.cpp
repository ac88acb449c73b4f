// Keys and the mouse as the editor sees them: the key table's down and pressed bits, the
// keypad apart from the main keys, the mouse messages with their flags, and the editor acting
// on them in the tube view.
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>

#include "app/editor_state.h"
#include "hosts/qt/key_table.h"
#include "level/level_store.h"
#include "qt_test_classes.h"
#include "qt_test_support.h"

namespace {

using hosts::qt::KeyTable;
using qt_testing::EditorWindow;

constexpr std::int16_t kDownAndPressed = static_cast<std::int16_t>(0x8001);
constexpr std::int16_t kDown = static_cast<std::int16_t>(0x8000);
constexpr std::int16_t kPressedOnly = 0x0001;
constexpr int kVkOemPlus = 0xBB;

class InputTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() {
    const QStringList problems = qt_testing::TakeAnswerProblems();
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u';')));
  }

  void keyTableReportsDownAndPressedBits() {
    KeyTable keys;
    QCOMPARE(keys.Poll('A'), std::int16_t{0});
    keys.Press(Qt::Key_A, Qt::NoModifier, 0);
    QCOMPARE(keys.Poll('A'), kDownAndPressed);
    QCOMPARE(keys.Poll('A'), kDown);  // the poll took the pressed bit
    keys.Release(Qt::Key_A, Qt::NoModifier, 0);
    QCOMPARE(keys.Poll('A'), std::int16_t{0});

    // A tap between two polls still counts once, without the down bit.
    keys.Press(Qt::Key_Space, Qt::NoModifier, 0);
    keys.Release(Qt::Key_Space, Qt::NoModifier, 0);
    QCOMPARE(keys.Poll(VK_SPACE), kPressedOnly);
    QCOMPARE(keys.Poll(VK_SPACE), std::int16_t{0});

    // Every key polls on its own.
    keys.Press(Qt::Key_Z, Qt::NoModifier, 0);
    keys.Press(Qt::Key_X, Qt::NoModifier, 0);
    QCOMPARE(keys.Poll('Z'), kDownAndPressed);
    QCOMPARE(keys.Poll('X'), kDownAndPressed);
    keys.ReleaseAll();
    QCOMPARE(keys.Poll('Z'), std::int16_t{0});
    QCOMPARE(keys.Poll('X'), std::int16_t{0});
    QCOMPARE(keys.Poll(-1), std::int16_t{0});
    QCOMPARE(keys.Poll(256), std::int16_t{0});
  }

  void keypadKeysAreApartFromTheMainKeys() {
    KeyTable keys;
    keys.Press(Qt::Key_Plus, Qt::KeypadModifier, 0);
    keys.Press(Qt::Key_Minus, Qt::KeypadModifier, 0);
    keys.Press(Qt::Key_4, Qt::KeypadModifier, 0);
    keys.Press(Qt::Key_6, Qt::KeypadModifier, 0);
    QCOMPARE(keys.Poll(VK_ADD), kDownAndPressed);
    QCOMPARE(keys.Poll(VK_SUBTRACT), kDownAndPressed);
    QCOMPARE(keys.Poll(VK_NUMPAD4), kDownAndPressed);
    QCOMPARE(keys.Poll(VK_NUMPAD6), kDownAndPressed);
    QCOMPARE(keys.Poll('4'), std::int16_t{0});
    QCOMPARE(keys.Poll(kVkOemPlus), std::int16_t{0});

    KeyTable main_keys;
    main_keys.Press(Qt::Key_Plus, Qt::ShiftModifier, 0);
    main_keys.Press(Qt::Key_4, Qt::NoModifier, 0);
    main_keys.Press(Qt::Key_Menu, Qt::NoModifier, 0);
    main_keys.Press(Qt::Key_Left, Qt::KeypadModifier, 0);  // keypad 4 without NumLock
    QCOMPARE(main_keys.Poll(VK_ADD), std::int16_t{0});
    QCOMPARE(main_keys.Poll(kVkOemPlus), kDownAndPressed);
    QCOMPARE(main_keys.Poll('4'), kDownAndPressed);
    QCOMPARE(main_keys.Poll(VK_NUMPAD4), std::int16_t{0});
    QCOMPARE(main_keys.Poll(VK_APPS), kDownAndPressed);
    QCOMPARE(main_keys.Poll(VK_LEFT), kDownAndPressed);
  }

  void releaseGoesToTheKeyThatWasPressed() {
    // NumLock turned off while keypad 4 is held: the release names the arrow key.
    KeyTable keys;
    keys.Press(Qt::Key_4, Qt::KeypadModifier, 83);
    keys.Release(Qt::Key_Left, Qt::KeypadModifier, 83);
    QCOMPARE(keys.Poll(VK_NUMPAD4), kPressedOnly);
    QCOMPARE(keys.Poll(VK_LEFT), std::int16_t{0});
    // Shift let go before the key: the release names another character.
    keys.Press(Qt::Key_Plus, Qt::ShiftModifier, 21);
    keys.Release(Qt::Key_Equal, Qt::NoModifier, 21);
    QCOMPARE(keys.Poll(kVkOemPlus), kPressedOnly);
  }

  void windowKeysReachTheTableOnceAndNotWhileInactive() {
    EditorWindow editor;
    hosts::qt::QtHost& host = editor.Host();
    qt_testing::PressKey(Qt::Key_W);
    QCOMPARE(host.GetAsyncKeyState('W'), kDownAndPressed);
    // The keyboard's own repeats are no new presses.
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_W, Qt::NoModifier, QString(), true);
    QCoreApplication::sendEvent(editor.Window().windowHandle(), &repeat);
    QCOMPARE(host.GetAsyncKeyState('W'), kDown);
    QVERIFY(host.IsMainWindowForeground());

    // Another window takes the keyboard: keys let go there never reach this one.
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QVERIFY(!host.IsMainWindowForeground());
    QCOMPARE(host.GetAsyncKeyState('W'), std::int16_t{0});
  }

  void mouseMessagesCarryClientPositionAndFlags() {
    EditorWindow editor;
    hosts::qt::FrameView& view = editor.View();
    QTest::mouseMove(&view, QPoint(10, 20));
    QCOMPARE(app::mouse.x, 10u);
    QCOMPARE(app::mouse.y, 20u);
    QVERIFY(app::mouse.moved);
    QCOMPARE(app::mouse.buttons, 0u);

    QTest::mousePress(&view, Qt::LeftButton, Qt::ShiftModifier, QPoint(30, 40));
    QCOMPARE(app::mouse.buttons, MK_LBUTTON | MK_SHIFT);
    QCOMPARE(app::mouse.previous_x, 10u);
    QCOMPARE(app::mouse.previous_y, 20u);
    QTest::mouseMove(&view, QPoint(35, 45));
    QCOMPARE(app::mouse.buttons, static_cast<std::uint32_t>(MK_LBUTTON));
    QTest::mouseRelease(&view, Qt::LeftButton, Qt::NoModifier, QPoint(35, 45));

    // A right click opens no context menu of Qt's, and its release arrives: it ends the latch
    // that a file load sets.
    app::mouse.ignore_buttons = true;
    QTest::mousePress(&view, Qt::RightButton, Qt::ControlModifier, QPoint(50, 60));
    QCOMPARE(app::mouse.buttons, static_cast<std::uint32_t>(MK_LBUTTON));  // latched: unchanged
    QVERIFY(QApplication::activePopupWidget() == nullptr);
    QTest::mouseRelease(&view, Qt::RightButton, Qt::NoModifier, QPoint(50, 60));
    QVERIFY(!app::mouse.ignore_buttons);
    QTest::mousePress(&view, Qt::MiddleButton, Qt::ControlModifier, QPoint(50, 60));
    QCOMPARE(app::mouse.buttons, MK_MBUTTON | MK_CONTROL);
    QTest::mouseRelease(&view, Qt::MiddleButton, Qt::NoModifier, QPoint(50, 60));

    // A drag that leaves the client area on the left still reaches it, and its position wraps
    // in 16 bits, as window messages carry it.
    QMouseEvent drag(QEvent::MouseMove, QPointF(-5, 3), view.mapToGlobal(QPointF(-5, 3)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&view, &drag);
    QCOMPARE(app::mouse.x, 0xFFFBu);
    QCOMPARE(app::mouse.y, 3u);
  }

  void wheelNotchesAreSignedDeltasOf120() {
    EditorWindow editor;
    hosts::qt::FrameView& view = editor.View();
    const auto turn = [&view](int delta) {
      QWheelEvent wheel(QPointF(20, 20), view.mapToGlobal(QPointF(20, 20)), QPoint(),
                        QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
      QCoreApplication::sendEvent(&view, &wheel);
    };
    turn(120);
    QCOMPARE(app::mouse.wheel_delta, 120);
    turn(-240);
    QCOMPARE(app::mouse.wheel_delta, -240);
  }

  void keysAndMouseEditTheShapeInTheTubeView() {
    EditorWindow editor;
    hosts::qt::QtHost& host = editor.Host();
    const QString rom = editor.TempPath(QStringLiteral("tubes.118"));
    qt_testing::WriteFile(rom, qt_testing::LevelRomImage());
    qt_testing::OpenLevelOne(host, rom);

    // Keypad + held: the level scale goes down by one every frame.
    qt_testing::PressKey(Qt::Key_Plus, Qt::KeypadModifier);
    qt_testing::RunTurns(host, 3);
    qt_testing::ReleaseKey(Qt::Key_Plus, Qt::KeypadModifier);
    qt_testing::RunTurns(host, 2);
    QCOMPARE(int{level::ShapeByte(level::kLevelScale, 0)}, 17);

    // Z pressed and held: one turn by the angle step, not one a frame.
    const std::uint8_t top_x = level::XByte(0, 0);
    qt_testing::PressKey(Qt::Key_Z);
    qt_testing::RunTurns(host);
    const std::uint8_t turned_x = level::XByte(0, 0);
    QVERIFY(turned_x != top_x);
    qt_testing::RunTurns(host, 2);
    QCOMPARE(level::XByte(0, 0), turned_x);
    qt_testing::ReleaseKey(Qt::Key_Z);

    // Dragging with the left button moves the shape by the mouse's steps.
    hosts::qt::FrameView& view = editor.View();
    const std::uint8_t left_x = level::XByte(0, 0);
    QTest::mouseMove(&view, QPoint(100, 100));
    QTest::mousePress(&view, Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseMove(&view, QPoint(107, 100));
    qt_testing::RunTurns(host);
    QTest::mouseRelease(&view, Qt::LeftButton, {}, QPoint(107, 100));
    QCOMPARE(int{level::XByte(0, 0)}, left_x + 7);
  }
};

}  // namespace

std::unique_ptr<QObject> MakeInputTest() {
  return std::make_unique<InputTest>();
}

#include "input_test.moc"
