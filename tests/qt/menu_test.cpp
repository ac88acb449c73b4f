// The menu bar and the popup menu as the person sees them, mirrored from the editor's menu
// model: texts with access keys, greying, check marks, radio bullets and changing texts; and
// choices that reach the editor after the menu has closed.
#include <QActionGroup>
#include <QDesktopServices>
#include <QMessageBox>
#include <QTest>
#include <QUrl>

#include "app/editor_state.h"
#include "app/view_flags.h"
#include "level/level_store.h"
#include "qt_test_classes.h"
#include "qt_test_support.h"

namespace {

using qt_testing::EditorWindow;

// Receives the URLs that the program asks the desktop to open.
class UrlCatcher : public QObject {
  Q_OBJECT

 public:
  QList<QUrl> opened;

 public slots:
  void Open(const QUrl& url) { opened.append(url); }
};

QAction* Bar(EditorWindow& editor, const QStringList& path) {
  return qt_testing::FindMenuItem(editor.Window().menuBar()->actions(), path);
}

QAction* Popup(EditorWindow& editor, const QString& text) {
  return qt_testing::FindMenuItem(editor.Host().Popup().actions(), {text});
}

bool ShowsBullet(const QAction* action) {
  return action->isChecked() && action->actionGroup() != nullptr &&
         action->actionGroup()->isExclusive();
}

bool ShowsCheckMark(const QAction* action) {
  return action->isChecked() && action->actionGroup() == nullptr;
}

class MenuTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() {
    const QStringList problems = qt_testing::TakeAnswerProblems();
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u';')));
  }

  void menuBarStartsWithTheIntroState() {
    EditorWindow editor;
    QStringList titles;
    for (QAction* action : editor.Window().menuBar()->actions())
      titles.append(action->text());
    QCOMPARE(titles, QStringList({"&File", "&Edit", "&Tools", "&Display", "&Help"}));

    QVERIFY(Bar(editor, {"&File", "&Load ROM ..."})->isEnabled());
    QVERIFY(Bar(editor, {"&File", "Edit &Colours..."})->isEnabled());
    QVERIFY(!Bar(editor, {"&File", "&Save ROM ..."})->isEnabled());
    QVERIFY(!Bar(editor, {"&File", "Hack '&Atari Arcade Hits'..."})->isEnabled());
    for (const char* menu : {"&Edit", "&Tools", "&Display"}) {
      for (QAction* item : Bar(editor, {menu})->menu()->actions()) {
        QVERIFY2(item->isSeparator() || !item->isEnabled(), qPrintable(item->text()));
      }
    }
    QVERIFY(ShowsBullet(Bar(editor, {"&Display", "&3D View"})));
    QVERIFY(!Bar(editor, {"&Display", "&2D View"})->isChecked());
    QVERIFY(ShowsBullet(Bar(editor, {"&Display", "&ROM Values"})));
    QVERIFY(ShowsCheckMark(Bar(editor, {"&Display", "Safe &Frame"})));
    QVERIFY(ShowsCheckMark(Bar(editor, {"&Tools", "&Bend"})));
    QVERIFY(Bar(editor, {"&Tools", "&Rotate", "2&70"}) != nullptr);

    // The access key opens its menu.
    QTest::keyClick(editor.Window().windowHandle(), Qt::Key_F, Qt::AltModifier);
    QVERIFY(Bar(editor, {"&File"})->menu()->isVisible());
    QTest::keyClick(Bar(editor, {"&File"})->menu(), Qt::Key_Escape);
  }

  void menuChangesShowAtOnceInBothMenus() {
    EditorWindow editor;
    const QString rom = editor.TempPath(QStringLiteral("tubes.118"));
    qt_testing::WriteFile(rom, qt_testing::LevelRomImage());
    qt_testing::OpenLevelOne(editor.Host(), rom);

    QVERIFY(Bar(editor, {"&File", "&Save ROM ..."})->isEnabled());
    QVERIFY(Bar(editor, {"&Edit", "&Copy"})->isEnabled());
    QVERIFY(!Bar(editor, {"&Edit", "&Paste"})->isEnabled());
    QVERIFY(!Popup(editor, "&Paste")->isEnabled());
    QVERIFY(ShowsBullet(Bar(editor, {"&Edit", "C&losed"})));

    qt_testing::ChooseMenuBarItem(editor.Host(), {"&Edit", "&Edit Level"});
    QCOMPARE(app::editor.editor_mode, app::kEditMode);
    QVERIFY(Bar(editor, {"&Edit", "&End Edit"}) != nullptr);
    QVERIFY(Popup(editor, "&End Edit") != nullptr);

    qt_testing::ChooseMenuBarItem(editor.Host(), {"&Display", "&2D View"});
    QCOMPARE(app::view_flags.view_2d, 1);
    QVERIFY(ShowsBullet(Bar(editor, {"&Display", "&2D View"})));
    QVERIFY(!Bar(editor, {"&Display", "&3D View"})->isChecked());

    qt_testing::ChooseMenuBarItem(editor.Host(), {"&Display", "Safe &Frame"});
    QCOMPARE(app::view_flags.safe_frame, 0);
    QVERIFY(!Bar(editor, {"&Display", "Safe &Frame"})->isChecked());

    // Bend from the menu bar takes its check mark off in the popup menu too.
    qt_testing::ChooseMenuBarItem(editor.Host(), {"&Tools", "&Bend"});
    QCOMPARE(app::view_flags.bend, 0);
    QVERIFY(!Popup(editor, "&Bend")->isChecked());
  }

  void popupMenuOpensAtTheClickAndItsChoiceComesAfterItCloses() {
    EditorWindow editor;
    hosts::qt::QtHost& host = editor.Host();
    const QString rom = editor.TempPath(QStringLiteral("tubes.118"));
    qt_testing::WriteFile(rom, qt_testing::LevelRomImage());
    qt_testing::OpenLevelOne(host, rom);

    const QPoint click(60, 70);
    QPoint shown_at;
    bool copied_before_close = true;
    qt_testing::Answer(QStringLiteral("QMenu"), [&](QWidget& widget) {
      auto& menu = static_cast<QMenu&>(widget);
      shown_at = menu.pos();
      QAction* copy = qt_testing::FindMenuItem(menu.actions(), {"&Copy"});
      QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(copy).center());
      copied_before_close = level::copy_buffer_full;
    });
    QTest::mousePress(&editor.View(), Qt::RightButton, {}, click);
    qt_testing::RunTurns(host);
    QTest::mouseRelease(&editor.View(), Qt::RightButton, {}, click);
    QCOMPARE(shown_at, editor.View().mapToGlobal(click));
    QVERIFY(!copied_before_close);
    qt_testing::RunTurns(host);
    QVERIFY(level::copy_buffer_full);
    QVERIFY(Bar(editor, {"&Edit", "&Paste"})->isEnabled());
    QVERIFY(Popup(editor, "&Paste")->isEnabled());
  }

  void helpAndExitReachTheirCommands() {
    EditorWindow editor;
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "Open");
    qt_testing::ChooseMenuBarItem(editor.Host(), {"&Help", "ReadMe"});
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QCOMPARE(catcher.opened,
             QList<QUrl>({QUrl::fromLocalFile(QCoreApplication::applicationDirPath() +
                                              QStringLiteral("/ReadMe.txt"))}));

    qt_testing::ShownMessageBox shown;
    qt_testing::AnswerMessageBox(QMessageBox::Cancel, &shown);
    qt_testing::ChooseMenuBarItem(editor.Host(), {"&File", "E&xit"});
    QCOMPARE(shown.text, QStringLiteral("Exit Rimforge?"));
    QVERIFY(!editor.Host().QuitRequested());
    qt_testing::AnswerMessageBox(QMessageBox::Ok);
    qt_testing::ChooseMenuBarItem(editor.Host(), {"&File", "E&xit"});
    QVERIFY(editor.Host().QuitRequested());
  }
};

}  // namespace

std::unique_ptr<QObject> MakeMenuTest() {
  return std::make_unique<MenuTest>();
}

#include "menu_test.moc"
