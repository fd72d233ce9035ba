#include "screens/common/entry_cursor.h"

#include "model/session/shared_state.h"
#include "model/table/score_reading.h"
#include "model/table/student_table.h"
#include "screens/common/screen.h"
#include "ui/grid_view.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QShortcut>

namespace gakunen {

EntryCursor::EntryCursor(Screen& screen, QLineEdit& box, Column column, TakesEntry takesEntry)
    : QObject(&screen),
      screen_(screen),
      box_(box),
      column_(std::move(column)),
      takesEntry_(std::move(takesEntry)),
      history_(screen.table()) {
  box_.installEventFilter(this);
  screen_.grid()->tableView()->installEventFilter(this);
  connect(screen_.grid(), &GridView::cellClicked, this, [this](int row, int) {
    if (box_.isEnabled()) moveTo(row);
  });
  // Wherever the focus is on the screen; the box and the grid take the key
  // themselves (below) before it can become a shortcut.
  auto* undoKey = new QShortcut(QKeySequence::Undo, &screen_);
  undoKey->setContext(Qt::WidgetWithChildrenShortcut);
  connect(undoKey, &QShortcut::activated, this, &EntryCursor::undo);
}

EntryCursor::Cell EntryCursor::current() const {
  const int row = screen_.state().CurrentRow;
  const int col = column_();
  return {row, col, screen_.table().text(row, col)};
}

void EntryCursor::markCell() { screen_.grid()->setCurrentCell(screen_.state().CurrentRow, column_()); }

void EntryCursor::show() {
  const Cell cell = current();
  markCell();
  box_.setText(takesEntry_(cell.row) ? cell.before : QString());
  box_.selectAll();
  box_.setFocus();
}

void EntryCursor::moveTo(int row) {
  if (column_() < 0 || !takesEntry_(row)) return;
  screen_.state().CurrentRow = row;
  emit positioned(row);
  show();
}

void EntryCursor::step(int direction) {
  const int rows = screen_.table().rows();
  for (int row = screen_.state().CurrentRow + direction; row >= 1 && row <= rows; row += direction) {
    if (takesEntry_(row)) {
      moveTo(row);
      return;
    }
  }
}

void EntryCursor::undo() {
  const auto change = history_.undo();
  if (!change) return;
  screen_.state().CurrentRow = change->row;
  emit positioned(change->row);
  show();
}

void EntryCursor::keepDigitsHalfWidth() {
  connect(&box_, &QLineEdit::textEdited, this, [this](const QString& text) {
    const QString half = HalfWidthDigits(text);
    if (half == text) return;
    const int cursor = box_.cursorPosition();
    box_.setText(half);
    box_.setCursorPosition(cursor);
  });
}

bool EntryCursor::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  if (key->matches(QKeySequence::Undo)) {
    // Typing in the box is taken back by the box itself first.
    if (watched == &box_ && box_.isUndoAvailable()) return false;
    undo();
    return true;
  }
  if (watched == &box_ && box_.isEnabled() && key->modifiers() == Qt::NoModifier) {
    if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
      step(key->key() == Qt::Key_Up ? -1 : 1);
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace gakunen
