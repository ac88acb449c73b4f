// The modal windows and menus that the editor waits for, answered in order from timers, one a
// tick, as an answer may open the next in its handler; one left for 5 s fails and is closed.
#pragma once

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>

#include "hosts/qt/dialog_window.h"

namespace qt_testing {

inline std::deque<std::pair<QString, std::function<void(QWidget&)>>> answers;
inline int unanswered_ticks = 0;

inline void Tick() {
  QTimer::singleShot(20, Tick);
  QWidget* open = QApplication::activePopupWidget();
  if (open == nullptr) open = QApplication::activeModalWidget();
  if (open == nullptr) {
    unanswered_ticks = 0;
    return;
  }
  auto* dialog = dynamic_cast<hosts::qt::DialogWindow*>(open);
  const QString kind =
      dialog ? QString::number(dialog->TemplateId()) : open->metaObject()->className();
  if (!answers.empty() && answers.front().first == kind) {
    unanswered_ticks = 0;
    const auto act = std::move(answers.front().second);
    answers.pop_front();
    act(*open);
  } else if (++unanswered_ticks == 250) {
    open->close();
    QFAIL(qPrintable(kind + " came without an answer"));
  }
}

// `kind` is the window's class, or a dialog's template id.
template <class Window>
void Answer(const QString& kind, std::function<void(Window&)> act) {
  answers.emplace_back(kind, [act](QWidget& open) { act(static_cast<Window&>(open)); });
}

}  // namespace qt_testing
