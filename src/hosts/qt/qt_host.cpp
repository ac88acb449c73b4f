#include "hosts/qt/qt_host.h"

#include <QApplication>
#include <QCursor>
#include <QFileInfo>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProcess>
#include <QScrollBar>
#include <QTextDocument>
#include <QTimer>
#include <chrono>
#include <utility>

#include "app/menu_model.h"
#include "app/shell.h"
#include "hosts/qt/dialog_window.h"
#include "hosts/qt/file_dialog.h"
#include "hosts/qt/message_box.h"
#include "hosts/qt/text_codec.h"

namespace hosts::qt {
namespace {

constexpr std::uint32_t kFrameMilliseconds = 16;

}  // namespace

QtHost::QtHost()
    : window_(std::make_unique<MainWindow>(*this)),
      popup_(new QMenu(window_.get())),
      menu_bar_mirror_(std::make_unique<MenuMirror>(
          *window_->menuBar(),
          [this](int id) { PostMessage(WM_COMMAND, static_cast<WPARAM>(id)); })),
      popup_mirror_(std::make_unique<MenuMirror>(
          *popup_, [this](int id) { PostMessage(WM_COMMAND, static_cast<WPARAM>(id)); })) {
  qApp->installEventFilter(this);
  // Keys released while the program is in the background never reach it.
  connect(qApp, &QGuiApplication::applicationStateChanged, this,
          [this](Qt::ApplicationState state) {
            if (state != Qt::ApplicationActive) ReleaseAllKeys();
          });
}

QtHost::~QtHost() = default;

bool QtHost::eventFilter(QObject* watched, QEvent* event) {
  // A key event reaches its window first and its widgets after; only the window counts.
  if (watched->isWindowType() &&
      (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (!key->isAutoRepeat()) {
      if (event->type() == QEvent::KeyPress) {
        keys_.Press(key->key(), key->modifiers(), key->nativeScanCode());
      } else {
        keys_.Release(key->key(), key->modifiers(), key->nativeScanCode());
      }
    }
  }
  return false;
}

void QtHost::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  posted_.push_back({message, wParam, lParam});
}

void QtHost::DispatchPostedMessages() {
  while (!posted_.empty()) {
    const PostedMessage posted = posted_.front();
    posted_.pop_front();
    app::MainWindowProc(posted.message, posted.wParam, posted.lParam);
    // A chosen item may have flipped its own check mark; the model says what it shows.
    if (posted.message == WM_COMMAND) MenusChanged();
  }
}

void QtHost::PaceFrameStart() {
  if (last_frame_start_) clock_.WaitUntilElapsed(*last_frame_start_, kFrameMilliseconds);
  last_frame_start_ = clock_.Now();
}

std::uint32_t QtHost::TimeGetTime() const {
  return clock_.Now();
}

void QtHost::WaitUntilElapsed(std::uint32_t since, std::uint32_t milliseconds) {
  clock_.WaitUntilElapsed(since, milliseconds);
}

std::int16_t QtHost::GetAsyncKeyState(int virtual_key) {
  return keys_.Poll(virtual_key);
}

bool QtHost::IsMainWindowForeground() const {
  return window_->isActiveWindow();
}

void QtHost::SetWindowTitle(std::string_view title) {
  window_->setWindowTitle(FromWindows1252(title));
}

void QtHost::SetClientSize(int width, int height) {
  window_->SetClientSize(width, height);
}

// The window manager draws the frame and the title bar outside the window that Qt sizes; the
// menu bar is what lies between the window's edge and its client area.
platform::FrameMetrics QtHost::GetFrameMetrics() const {
  return {0, 0, window_->MenuBarHeight(window_->width())};
}

POINT QtHost::ClientToScreen(POINT client) const {
  const QPoint screen = window_->View().mapToGlobal(QPoint(client.x, client.y));
  return {screen.x(), screen.y()};
}

void QtHost::BlitFrame() {
  const auto start = std::chrono::steady_clock::now();
  const bool painted = window_->View().ShowFrame();
  if (frame_log_.Enabled()) frame_log_.Record(start, std::chrono::steady_clock::now(), painted);
}

void QtHost::InvalidateClient() {
  window_->View().update();
}

void QtHost::DestroyMainWindow() {
  window_->hide();
  PostMessage(WM_DESTROY);
}

void QtHost::PostQuitMessage(int exit_code) {
  quit_code_ = exit_code;
}

void QtHost::MenusChanged() {
  menu_bar_mirror_->Sync(app::MainMenu());
  if (const app::Menu* items = app::GetSubMenu(app::PopupMenu(), 0)) popup_mirror_->Sync(*items);
}

void QtHost::TrackPopupMenu(POINT screen) {
  // No frame runs while the menu is open; keys let go meanwhile were seen by the menu.
  ReleaseAllKeys();
  popup_->exec(QPoint(screen.x, screen.y));
  ReleaseAllKeys();
}

QWidget* QtHost::ActiveOwner() const {
  QWidget* modal = QApplication::activeModalWidget();
  return modal != nullptr ? modal : window_.get();
}

// A closed modal window gives the keyboard back to its owner, as the person expects; without
// a window manager nobody else would.
void QtHost::GiveBackKeyboard(QWidget* owner) {
  if (owner->isVisible()) owner->activateWindow();
}

int QtHost::ShowMessageBox(std::string_view text, std::string_view caption, UINT type) {
  QWidget* owner = ActiveOwner();
  const int answer = RunMessageBox(owner, text, caption, type);
  GiveBackKeyboard(owner);
  return answer;
}

std::optional<std::string> QtHost::ShowOpenFileDialog(const platform::FileDialogRequest& request) {
  if (next_open_answer_) {
    DeliverKeptButtonUp();
    return std::exchange(next_open_answer_, std::nullopt);
  }
  QWidget* owner = ActiveOwner();
  std::optional<std::string> path = RunFileDialog(owner, request, false, native_file_dialogs_);
  GiveBackKeyboard(owner);
  DeliverKeptButtonUp();
  return path;
}

std::optional<std::string> QtHost::ShowSaveFileDialog(const platform::FileDialogRequest& request) {
  QWidget* owner = ActiveOwner();
  std::optional<std::string> path = RunFileDialog(owner, request, true, native_file_dialogs_);
  GiveBackKeyboard(owner);
  DeliverKeptButtonUp();
  return path;
}

void QtHost::DeliverKeptButtonUp() {
  if (QGuiApplication::mouseButtons() != Qt::NoButton) return;
  // Queued, so that it comes after the command that opened the dialog, as the real one would.
  QTimer::singleShot(0, window_.get(), [this] {
    const QPoint at = window_->View().mapFromGlobal(QCursor::pos());
    app::MainWindowProc(WM_LBUTTONUP, 0,
                        MAKELPARAM(static_cast<unsigned>(at.x()), static_cast<unsigned>(at.y())));
  });
}

INT_PTR QtHost::RunModalDialog(const platform::DialogTemplate& dialog_template,
                               platform::Dialog* owner, platform::DialogProc procedure) {
  auto* owner_dialog = dynamic_cast<DialogWindow*>(owner);
  QWidget* owner_window =
      owner_dialog != nullptr ? static_cast<QWidget*>(owner_dialog) : window_.get();
  INT_PTR result;
  {
    DialogWindow dialog(dialog_template, procedure, owner_window);
    ReleaseAllKeys();
    result = dialog.Run();
  }
  ReleaseAllKeys();
  GiveBackKeyboard(owner_window);
  return result;
}

void QtHost::PlayClickSound() {
  click_sound_.Play();
}

void QtHost::OpenReadMe() {
  // Beside the program as built, or where an installation puts it.
  const QString folder = QCoreApplication::applicationDirPath();
  QString path = folder + QStringLiteral("/ReadMe.txt");
  if (!QFileInfo::exists(path)) path = folder + QStringLiteral("/../share/rimforge/ReadMe.txt");
  if (!QFileInfo::exists(path)) {
    ShowMessageBox("Could not open \"ReadMe.txt\".", "Rimforge", MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  if (!desktop_opener_) {
    ShowReadMeWindow(QFileInfo(path).canonicalFilePath());
    return;
  }
  // The desktop's opener tells by its exit status when no program could show the file (none
  // for text files, or one that needs a terminal where there is none); it may also keep running
  // as long as the program it started, so it is not waited for.
  auto* opener = new QProcess(window_.get());
  const auto fall_back = [this, opener, path] {
    ShowReadMeWindow(QFileInfo(path).canonicalFilePath());
    opener->deleteLater();
  };
  connect(opener, &QProcess::finished, this,
          [opener, fall_back](int code, QProcess::ExitStatus status) {
            if (status != QProcess::NormalExit || code != 0) return fall_back();
            opener->deleteLater();
          });
  connect(opener, &QProcess::errorOccurred, this, [fall_back](QProcess::ProcessError error) {
    if (error == QProcess::FailedToStart) fall_back();
  });
  opener->start(QStringLiteral("xdg-open"), {path});
}

// Where no program is there for text files: the ReadMe in a plain window of the program's own.
void QtHost::ShowReadMeWindow(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    ShowMessageBox("Could not open \"" + QFile::encodeName(path).toStdString() + "\".", "Rimforge",
                   MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  auto* text = new QPlainTextEdit(QString::fromUtf8(file.readAll()), window_.get());
  text->setWindowFlag(Qt::Window);
  text->setAttribute(Qt::WA_DeleteOnClose);
  text->setReadOnly(true);
  text->setObjectName(QStringLiteral("ReadMe"));
  text->setWindowTitle(QStringLiteral("ReadMe.txt"));
  // The ReadMe is laid out in lines of at most 80 characters.
  text->setLineWrapMode(QPlainTextEdit::NoWrap);
  text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  text->resize(text->fontMetrics().horizontalAdvance(QString(80, u'M')) +
                   text->verticalScrollBar()->sizeHint().width() +
                   static_cast<int>(2 * text->document()->documentMargin()) +
                   2 * text->frameWidth(),
               window_->height());
  text->show();
}

}  // namespace hosts::qt
