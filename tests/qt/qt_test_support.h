// Starting the editor on the Qt host as the program does, and what the tests do as a person
// would: run the program's loop, choose menu items with the mouse, press keys in a window, and
// answer the modal windows (file dialogs, message boxes, dialogs, the popup menu) that the
// editor opens while it waits for them.
#pragma once

#include <QMenu>
#include <QMenuBar>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "hosts/qt/qt_host.h"

namespace qt_testing {

// A fresh editor in a shown, active main window, as the program starts it.
class EditorWindow {
 public:
  EditorWindow();
  ~EditorWindow();

  hosts::qt::QtHost& Host() { return *host_; }
  hosts::qt::MainWindow& Window() { return host_->Window(); }
  hosts::qt::FrameView& View() { return host_->Window().View(); }
  QString TempPath(const QString& name) const { return temp_.filePath(name); }

 private:
  QTemporaryDir temp_;
  std::unique_ptr<hosts::qt::QtHost> host_;
};

// Turns of the program's loop: waiting events and queued messages, then a frame.
void RunTurns(hosts::qt::QtHost& host, int turns = 1);

// The item of a menu reached through the texts of the menus on the way, e.g.
// {"&Display", "&2D View"}; null when there is none.
QAction* FindMenuItem(const QList<QAction*>& actions, const QStringList& path);
// Opens the menus on `path` with the mouse and clicks the item, then runs a turn of the loop.
void ChooseMenuBarItem(hosts::qt::QtHost& host, const QStringList& path);

// Presses or releases a key in the window that has the keyboard, as the keyboard does.
void PressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void ReleaseKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// The next modal window or popup menu is answered by `answer` while it runs its own loop.
// `kind` names the expected class ("QFileDialog", "QMessageBox", "QMenu", or a dialog's
// template id as "dialog 105"). A window that nobody answers within a few seconds is closed
// and counted as unanswered, so that a test cannot hang.
void Answer(const QString& kind, std::function<void(QWidget&)> answer);
// Types `path` into a file dialog's name field and presses Enter.
void AnswerFileDialog(const QString& path);
void CancelFileDialog();
// Clicks `button` in the next message box; its text and caption are kept in `shown`.
struct ShownMessageBox {
  QString text;
  QString caption;
  int icon = 0;
  int buttons = 0;
};
void AnswerMessageBox(int button, ShownMessageBox* shown = nullptr);
// Answers still waiting, and modal windows that came without an answer, since the last call.
QStringList TakeAnswerProblems();

// A level ROM image: the signature, level n on shape n, and shape 0 a diamond.
std::vector<std::uint8_t> LevelRomImage();
void WriteFile(const QString& path, const std::vector<std::uint8_t>& bytes);

// File › Load ROM ... with `path`, then the first cell of level select clicked: view mode on
// level 1.
void OpenLevelOne(hosts::qt::QtHost& host, const QString& path);

}  // namespace qt_testing
