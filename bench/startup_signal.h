#pragma once

// For the startup benchmark's child programs: once the first top-level
// window has been exposed and painted, write one byte to standard output and
// leave at once. The parent times from its spawn to that byte, so tearing the
// program down is no part of the figure.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWindow>

#include <unistd.h>
#include <cstdlib>

namespace startup_bench {

class ShownSignal : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!fired_ && event->type() == QEvent::Expose) {
      auto* window = qobject_cast<QWindow*>(watched);
      if (window && window->isTopLevel()) {
        fired_ = true;
        // The expose is handled first (that is when the widgets paint); the
        // zero timer runs right after it.
        QTimer::singleShot(0, [] {
          const char done = '1';
          (void)!::write(STDOUT_FILENO, &done, 1);
          std::_Exit(0);
        });
      }
    }
    return false;
  }

 private:
  bool fired_ = false;
};

inline void signalWhenShown() { QCoreApplication::instance()->installEventFilter(new ShownSignal); }

}  // namespace startup_bench
