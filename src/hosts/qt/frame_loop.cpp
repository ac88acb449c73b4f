#include "hosts/qt/frame_loop.h"

#include <QApplication>
#include <QTimer>

#include "app/shell.h"

namespace hosts::qt {
namespace {

constexpr int kFrameMilliseconds = 16;

bool FramesSuspended() {
  // Menu-bar menus open as popups, which do not block the loop.
  return QApplication::activePopupWidget() != nullptr ||
         QApplication::activeModalWidget() != nullptr;
}

// Sleeps in the event loop for a frame's time, or until an event comes.
void WaitForEventsOrFrameTime() {
  QTimer wake;
  wake.setSingleShot(true);
  wake.setTimerType(Qt::PreciseTimer);
  wake.start(kFrameMilliseconds);
  QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

}  // namespace

void RunLoopTurn(QtHost& host) {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  // Outside QApplication::exec() nothing else deletes the objects whose deletion was put off.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  host.DispatchPostedMessages();
  if (host.QuitRequested()) return;
  if (FramesSuspended()) {
    // Keys let go inside the menu are seen by the menu, not by the editor.
    host.ReleaseAllKeys();
    WaitForEventsOrFrameTime();
    return;
  }
  host.PaceFrameStart();
  app::RunFrame();
}

int RunFrameLoop(QtHost& host) {
  while (!host.QuitRequested())
    RunLoopTurn(host);
  return host.ExitCode();
}

}  // namespace hosts::qt
