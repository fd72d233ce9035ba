#pragma once

#include <QObject>
#include <QRect>
#include <QSet>

class QWidget;

namespace gakunen {

// Keeps each window's size and place across runs, under its object name, and
// never lets a window stand larger than the display it is shown on: a school
// PC of 1024×768 shows every button of every window.
class WindowPlaces : public QObject {
  Q_OBJECT
 public:
  explicit WindowPlaces(QObject* parent = nullptr);
  void watch(QWidget* window);

  // `frame` moved and shrunk as little as possible to lie inside `room`.
  static QRect fitted(QRect frame, const QRect& room);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void restore(QWidget* window);
  void store(QWidget* window);

  QSet<QObject*> restored_;
};

// Shrinks and moves a window to lie inside the display it is on.
void FitOnScreen(QWidget* window);

}  // namespace gakunen
