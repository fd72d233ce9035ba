#include "ui/window_places.h"

#include "ui/user_settings.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>

#include <algorithm>

namespace gakunen {

namespace {

QString key(const QWidget* window) { return QStringLiteral("windows/") + window->objectName(); }

QRect roomFor(const QWidget* window) {
  const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry() : QRect();
}

}  // namespace

WindowPlaces::WindowPlaces(QObject* parent) : QObject(parent) {}

void WindowPlaces::watch(QWidget* window) { window->installEventFilter(this); }

QRect WindowPlaces::fitted(QRect frame, const QRect& room) {
  if (room.isEmpty()) return frame;
  frame.setWidth(std::min(frame.width(), room.width()));
  frame.setHeight(std::min(frame.height(), room.height()));
  frame.moveLeft(std::clamp(frame.left(), room.left(), room.right() + 1 - frame.width()));
  frame.moveTop(std::clamp(frame.top(), room.top(), room.bottom() + 1 - frame.height()));
  return frame;
}

bool WindowPlaces::eventFilter(QObject* watched, QEvent* event) {
  auto* window = qobject_cast<QWidget*>(watched);
  if (window && window->isWindow()) {
    if (event->type() == QEvent::Show) {
      if (!restored_.contains(window)) {
        restored_.insert(window);
        restore(window);
      }
      FitOnScreen(window);
    } else if (event->type() == QEvent::Hide) {
      store(window);
    }
  }
  return QObject::eventFilter(watched, event);
}

void WindowPlaces::restore(QWidget* window) {
  auto settings = OpenUserSettings();
  if (!settings) return;
  const QRect saved = settings->value(key(window)).toRect();
  // A place on a display that is gone, or a size below what the window
  // needs, is not taken.
  if (!saved.isValid() || !roomFor(window).intersects(saved)) return;
  const QSize least = window->minimumSizeHint().expandedTo(window->minimumSize());
  window->resize(saved.size().expandedTo(least));
  window->move(saved.topLeft());
}

void WindowPlaces::store(QWidget* window) {
  auto settings = OpenUserSettings();
  if (!settings || !restored_.contains(window)) return;
  settings->setValue(key(window), QRect(window->pos(), window->size()));
}

void FitOnScreen(QWidget* window) {
  const QRect room = roomFor(window);
  if (room.isEmpty()) return;
  // The frame (title bar and borders) counts: it must fit as well.
  const QSize extra = window->frameGeometry().size() - window->size();
  const QRect inner(room.topLeft(), room.size() - extra);
  const QRect now(window->pos(), window->size());
  const QRect fit = WindowPlaces::fitted(now, inner);
  if (fit.size() != now.size()) window->resize(fit.size());
  if (fit.topLeft() != now.topLeft()) window->move(fit.topLeft());
}

}  // namespace gakunen
