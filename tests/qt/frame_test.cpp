// The main window and its frame: start-up size and place, the frame buffer shown one to one,
// sizing that keeps 520 : 650, the pacing of frames, and leaving through the close box.
#include <QApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <chrono>

#include "app/editor_state.h"
#include "gfx/frame_buffer.h"
#include "hosts/qt/frame_clock.h"
#include "qt_test_classes.h"
#include "qt_test_support.h"

namespace {

using qt_testing::EditorWindow;

QRgb PixelOnScreen(hosts::qt::FrameView& view, int x, int y) {
  return view.grab().toImage().pixel(x, y);
}

void PutPixel(int x, int y, std::uint8_t index) {
  gfx::FrameBuffer()[static_cast<std::size_t>(y) * gfx::kFrameWidth + x] = index;
}

class FrameTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() {
    const QStringList problems = qt_testing::TakeAnswerProblems();
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u';')));
  }

  void startsCentredAtTheZoomThatTheScreenAllows() {
    EditorWindow editor;
    hosts::qt::MainWindow& window = editor.Window();
    const QRect screen = window.screen()->geometry();
    // The zoom that fits 650 rows and 80 pixels more into the screen's height, at most 1.
    const double zoom = std::min(1.0, (screen.height() - 80) / 650.0);
    const QSize client(static_cast<int>(520 * zoom), static_cast<int>(650 * zoom));
    QCOMPARE(editor.View().size(), client);
    QVERIFY(std::abs(app::editor.zoom_factor - zoom) < 0.002);
    // The window, menu bar and client area, is centred; the window manager's frame around it
    // starts at the centred place.
    const QSize outer = window.size();
    QCOMPARE(outer.height(), client.height() + window.menuBar()->height());
    QCOMPARE(window.frameGeometry().topLeft(), QPoint(screen.width() / 2 - outer.width() / 2,
                                                      screen.height() / 2 - outer.height() / 2));

    QCOMPARE(window.windowTitle(), QStringLiteral("Rimforge"));
    QCOMPARE(QApplication::applicationName(), QStringLiteral("Rimforge"));
    QVERIFY(!QApplication::windowIcon().isNull());
    QCOMPARE(app::editor.editor_mode, app::kIntroMode);
  }

  void blitShowsTheFrameBufferOneToOne() {
    EditorWindow editor;
    hosts::qt::QtHost& host = editor.Host();
    hosts::qt::FrameView& view = editor.View();
    gfx::ClearFrameBuffer();
    const int right = view.width() - 1;
    const int bottom = view.height() - 1;
    PutPixel(0, 0, 63);            // brightest blue
    PutPixel(right, bottom, 111);  // brightest yellow, the client area's last pixel
    PutPixel(7, 3, 116);           // dark grey
    host.BlitFrame();
    QCOMPARE(PixelOnScreen(view, 0, 0), qRgb(0, 0, 240));
    QCOMPARE(PixelOnScreen(view, right, bottom), qRgb(240, 240, 0));
    QCOMPARE(PixelOnScreen(view, 7, 3), qRgb(64, 64, 64));
    QCOMPARE(PixelOnScreen(view, 1, 0), qRgb(0, 0, 0));

    // The next frame's picture replaces it; a repaint shows the last one blitted.
    gfx::ClearFrameBuffer();
    PutPixel(1, 0, 79);  // brightest cyan
    host.BlitFrame();
    view.update();
    QCOMPARE(PixelOnScreen(view, 0, 0), qRgb(0, 0, 0));
    QCOMPARE(PixelOnScreen(view, 1, 0), qRgb(0, 240, 240));
  }

  void sizingKeepsTheAspectAndTheZoomFollowsTheWidth() {
    EditorWindow editor;
    hosts::qt::MainWindow& window = editor.Window();
    const int menu_bar = window.menuBar()->height();

    // A side dragged: the height follows the width.
    window.resize(300, 300 + menu_bar);
    QCoreApplication::processEvents();
    QCOMPARE(editor.View().size(), QSize(300, 375));
    QVERIFY(std::abs(app::editor.zoom_factor - 300 / 520.0) < 1e-9);

    // Only the bottom edge dragged: the width follows the height.
    window.resize(300, 500 + menu_bar);
    QCoreApplication::processEvents();
    QCOMPARE(editor.View().size(), QSize(400, 500));
    QVERIFY(std::abs(app::editor.zoom_factor - 400 / 520.0) < 1e-9);

    // Never beyond the frame at zoom 1.
    window.resize(900, 1100 + menu_bar);
    QCoreApplication::processEvents();
    QCOMPARE(editor.View().size(), QSize(520, 650));
    QCOMPARE(app::editor.zoom_factor, 1.0);

    // A minimised window keeps its picture and its frames run on.
    window.showMinimized();
    qt_testing::RunTurns(editor.Host(), 2);
    QCOMPARE(app::editor.zoom_factor, 1.0);
  }

  void waitsLastTheFullTimeByTheMillisecondClock() {
    hosts::qt::FrameClock clock;
    const std::uint32_t since = clock.Now();
    const auto start = std::chrono::steady_clock::now();
    clock.WaitUntilElapsed(since, 16);
    QVERIFY(clock.Now() - since >= 16);
    QVERIFY(std::chrono::steady_clock::now() - start >= std::chrono::milliseconds(16));

    // A reading taken earlier shortens the wait to what is left of it.
    const std::uint32_t earlier = clock.Now() - 10;
    clock.WaitUntilElapsed(earlier, 16);
    QVERIFY(clock.Now() - earlier >= 16);

    // Unsigned differences: a reading "ahead" of the clock, as after its wrap-around, does
    // not stall.
    const std::uint32_t ahead = clock.Now() + 5;
    clock.WaitUntilElapsed(ahead, 16);
    QVERIFY(clock.Now() - ahead > 16);
  }

  void noFrameRunsWhileAMenuIsOpen() {
    EditorWindow editor;
    hosts::qt::QtHost& host = editor.Host();
    qt_testing::RunTurns(host, 2);
    const std::uint32_t before = app::editor.last_frame_time;
    QMenuBar* bar = editor.Window().menuBar();
    QAction* file = qt_testing::FindMenuItem(bar->actions(), {QStringLiteral("&File")});
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(file).center());
    QVERIFY(file->menu()->isVisible());
    qt_testing::RunTurns(host, 3);
    QCOMPARE(app::editor.last_frame_time, before);
    file->menu()->hide();
    qt_testing::RunTurns(host, 2);
    QVERIFY(app::editor.last_frame_time - before >= 16);
  }

  void closeBoxAsksBeforeLeaving() {
    EditorWindow editor;
    hosts::qt::QtHost& host = editor.Host();
    qt_testing::ShownMessageBox shown;
    qt_testing::AnswerMessageBox(QMessageBox::Cancel, &shown);
    editor.Window().close();
    qt_testing::RunTurns(host);
    QCOMPARE(shown.text, QStringLiteral("Exit Rimforge?"));
    QCOMPARE(shown.caption, QStringLiteral("Rimforge"));
    QCOMPARE(shown.icon, static_cast<int>(QMessageBox::Question));
    QCOMPARE(shown.buttons, static_cast<int>(QMessageBox::Ok | QMessageBox::Cancel));
    QVERIFY(editor.Window().isVisible());
    QVERIFY(!host.QuitRequested());
    QCOMPARE(app::editor.editor_mode, app::kIntroMode);

    qt_testing::AnswerMessageBox(QMessageBox::Ok);
    editor.Window().close();
    qt_testing::RunTurns(host);
    QVERIFY(!editor.Window().isVisible());
    QVERIFY(host.QuitRequested());
    QCOMPARE(host.ExitCode(), 0);
  }
};

}  // namespace

std::unique_ptr<QObject> MakeFrameTest() {
  return std::make_unique<FrameTest>();
}

#include "frame_test.moc"
