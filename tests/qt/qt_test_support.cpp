#include "qt_test_support.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <deque>

#include "app/shell.h"
#include "files/level_rom_file.h"
#include "hosts/qt/dialog_window.h"
#include "hosts/qt/frame_loop.h"
#include "hosts/qt/start_up.h"
#include "level/level_store.h"

namespace qt_testing {
namespace {

constexpr int kAnswerPollMilliseconds = 20;
constexpr int kUnansweredMilliseconds = 5000;

QString KindOf(QWidget& widget) {
  if (auto* dialog = dynamic_cast<hosts::qt::DialogWindow*>(&widget))
    return QStringLiteral("dialog %1").arg(dialog->TemplateId());
  if (qobject_cast<QFileDialog*>(&widget)) return QStringLiteral("QFileDialog");
  if (qobject_cast<QMessageBox*>(&widget)) return QStringLiteral("QMessageBox");
  if (qobject_cast<QMenu*>(&widget)) return QStringLiteral("QMenu");
  return QString::fromLatin1(widget.metaObject()->className());
}

// Serves the answers in order from timers, which keep firing inside the loops of modal
// windows and menus. Each tick is a timer of its own: a timer never fires again while its own
// handler runs, and an answer may open the next modal window from inside that handler.
class Answerer {
 public:
  void Add(const QString& kind, std::function<void(QWidget&)> answer) {
    answers_.push_back({kind, std::move(answer)});
    if (!ticking_) {
      ticking_ = true;
      QTimer::singleShot(kAnswerPollMilliseconds, [this] { Tick(); });
    }
  }

  QStringList TakeProblems() {
    for (const auto& [kind, answer] : answers_)
      problems_.append(QStringLiteral("no %1 came to be answered").arg(kind));
    answers_.clear();
    QStringList problems;
    problems.swap(problems_);
    return problems;
  }

 private:
  void Tick() {
    QTimer::singleShot(kAnswerPollMilliseconds, [this] { Tick(); });
    Poll();
  }

  void Poll() {
    QWidget* open = QApplication::activePopupWidget();
    if (open == nullptr) open = QApplication::activeModalWidget();
    if (open == nullptr || !open->isVisible()) {
      unanswered_since_.reset();
      return;
    }
    if (!answers_.empty() && answers_.front().first == KindOf(*open)) {
      unanswered_since_.reset();
      auto answer = std::move(answers_.front().second);
      answers_.pop_front();
      answer(*open);
      return;
    }
    if (!unanswered_since_) unanswered_since_.emplace(kUnansweredMilliseconds);
    if (unanswered_since_->hasExpired()) {
      problems_.append(QStringLiteral("%1 \"%2\" came without an answer")
                           .arg(KindOf(*open), open->windowTitle()));
      unanswered_since_.reset();
      open->close();
    }
  }

  bool ticking_ = false;
  std::deque<std::pair<QString, std::function<void(QWidget&)>>> answers_;
  QStringList problems_;
  std::optional<QDeadlineTimer> unanswered_since_;
};

Answerer& TheAnswerer() {
  static Answerer answerer;
  return answerer;
}

QWindow* KeyboardWindow() {
  QWindow* window = QGuiApplication::focusWindow();
  return window != nullptr ? window : QGuiApplication::topLevelWindows().value(0);
}

}  // namespace

EditorWindow::EditorWindow() : host_(std::make_unique<hosts::qt::QtHost>()) {
  host_->UseNativeFileDialogs(false);
  hosts::qt::StartEditorWindow(*host_);
  static_cast<void>(QTest::qWaitForWindowExposed(&host_->Window()));
  static_cast<void>(QTest::qWaitForWindowActive(&host_->Window()));
}

EditorWindow::~EditorWindow() {
  host_.reset();
  platform::SetHost(nullptr);
}

void RunTurns(hosts::qt::QtHost& host, int turns) {
  for (int i = 0; i < turns; ++i)
    hosts::qt::RunLoopTurn(host);
}

QAction* FindMenuItem(const QList<QAction*>& actions, const QStringList& path) {
  for (QAction* action : actions) {
    if (action->isSeparator() || action->text() != path.front()) continue;
    if (path.size() == 1) return action;
    return action->menu() != nullptr ? FindMenuItem(action->menu()->actions(), path.mid(1))
                                     : nullptr;
  }
  return nullptr;
}

void ChooseMenuBarItem(hosts::qt::QtHost& host, const QStringList& path) {
  QMenuBar* bar = host.Window().menuBar();
  QAction* title = FindMenuItem(bar->actions(), path.mid(0, 1));
  QVERIFY2(title != nullptr, qPrintable(path.join(u'/')));
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(title).center());
  QMenu* menu = title->menu();
  for (qsizetype depth = 1; depth < path.size(); ++depth) {
    QVERIFY2(menu != nullptr && menu->isVisible(), qPrintable(path.join(u'/')));
    QAction* item = FindMenuItem(menu->actions(), path.mid(depth, 1));
    QVERIFY2(item != nullptr, qPrintable(path.join(u'/')));
    QVERIFY2(item->isEnabled(), qPrintable(path.join(u'/') + QStringLiteral(" is greyed")));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
    menu = item->menu();
  }
  RunTurns(host);
}

void PressKey(Qt::Key key, Qt::KeyboardModifiers modifiers) {
  QTest::keyPress(KeyboardWindow(), key, modifiers);
}

void ReleaseKey(Qt::Key key, Qt::KeyboardModifiers modifiers) {
  QTest::keyRelease(KeyboardWindow(), key, modifiers);
}

void Answer(const QString& kind, std::function<void(QWidget&)> answer) {
  TheAnswerer().Add(kind, std::move(answer));
}

void AnswerFileDialog(const QString& path) {
  Answer(QStringLiteral("QFileDialog"), [path](QWidget& dialog) {
    auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    name->setFocus();
    name->setText(path);
    QTest::keyClick(name, Qt::Key_Return);
  });
}

void CancelFileDialog() {
  Answer(QStringLiteral("QFileDialog"),
         [](QWidget& dialog) { static_cast<QFileDialog&>(dialog).reject(); });
}

void AnswerMessageBox(int button, ShownMessageBox* shown) {
  Answer(QStringLiteral("QMessageBox"), [button, shown](QWidget& widget) {
    auto& box = static_cast<QMessageBox&>(widget);
    if (shown != nullptr) {
      *shown = {box.text(), box.windowTitle(), static_cast<int>(box.icon()),
                static_cast<int>(box.standardButtons())};
    }
    QAbstractButton* chosen = box.button(static_cast<QMessageBox::StandardButton>(button));
    if (chosen != nullptr) {
      chosen->click();
    } else {
      box.close();
    }
  });
}

QStringList TakeAnswerProblems() {
  return TheAnswerer().TakeProblems();
}

std::vector<std::uint8_t> LevelRomImage() {
  std::vector<std::uint8_t> image(level::kLevelRomSize, 0);
  std::copy(files::kLevelRomSignature.begin(), files::kLevelRomSignature.end(), image.begin());
  const auto table = [&image](int offset) -> std::uint8_t& {
    return image[static_cast<std::size_t>(level::kLevelTableOffset + offset)];
  };
  for (int n = 0; n < level::kLevelCount; ++n) {
    table(level::kLevelToShapeMap + n) = static_cast<std::uint8_t>(n);
    table(level::kLevelScale + n) = 20;
  }
  // Shape 0: a diamond of four sides, four points to a side.
  constexpr int kCorners[5][2] = {{128, 228}, {228, 128}, {128, 28}, {28, 128}, {128, 228}};
  for (int point = 0; point < level::kPointsPerShape; ++point) {
    const int side = point / 4;
    const int step = point % 4;
    const int x = kCorners[side][0] + (kCorners[side + 1][0] - kCorners[side][0]) * step / 4;
    const int y = kCorners[side][1] + (kCorners[side + 1][1] - kCorners[side][1]) * step / 4;
    table(level::kXBytes + point) = static_cast<std::uint8_t>(x);
    table(level::kYBytes + point) = static_cast<std::uint8_t>(y);
  }
  return image;
}

void WriteFile(const QString& path, const std::vector<std::uint8_t>& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  QCOMPARE(
      file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size())),
      static_cast<qint64>(bytes.size()));
}

void OpenLevelOne(hosts::qt::QtHost& host, const QString& path) {
  AnswerFileDialog(path);
  ChooseMenuBarItem(host, {QStringLiteral("&File"), QStringLiteral("&Load ROM ...")});
  RunTurns(host);
  QCOMPARE(app::editor.editor_mode, app::kLevelSelectMode);
  // The first click after a load only ends the latch that keeps the dialog's click out.
  hosts::qt::FrameView& view = host.Window().View();
  const QPoint first_cell(30, 80);
  QTest::mouseMove(&view, first_cell);
  QTest::mouseClick(&view, Qt::LeftButton, {}, first_cell);
  RunTurns(host);
  QTest::mouseClick(&view, Qt::LeftButton, {}, first_cell);
  RunTurns(host);
  QCOMPARE(app::editor.editor_mode, app::kViewMode);
  QCOMPARE(app::editor.current_level, 0);
}

}  // namespace qt_testing
