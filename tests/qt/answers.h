// The modal windows and menus that the editor waits for, answered in turn from a timer, as an
// answer may open the next; one of another type, or left unanswered for 5 s, fails and is closed.
#pragma once

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>

namespace qt_testing {

inline std::deque<std::pair<const std::type_info*, std::function<void(QWidget&)>>> answers;
inline int unanswered_ticks = 0;

inline void Tick() {
  QTimer::singleShot(20, Tick);
  QWidget* open = QApplication::activePopupWidget();
  if (open == nullptr) open = QApplication::activeModalWidget();
  if (open == nullptr) return;
  if (!answers.empty() && *answers.front().first == typeid(*open)) {
    unanswered_ticks = 0;
    const auto act = std::move(answers.front().second);
    answers.pop_front();
    act(*open);
  } else if (++unanswered_ticks == 250) {
    open->close();
    QFAIL(qPrintable(open->windowTitle() + " came without an answer"));
  }
}

template <class Window>
void Answer(auto act) {
  answers.emplace_back(&typeid(Window), [act](QWidget& open) { act(static_cast<Window&>(open)); });
}

}  // namespace qt_testing
