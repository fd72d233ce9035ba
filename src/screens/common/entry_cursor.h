#pragma once

#include "model/table/entry_history.h"

#include <QObject>
#include <functional>

class QLineEdit;

namespace gakunen {

class Screen;

// Where the next typed entry of an entry screen goes, as the teacher sees
// and moves it: the student row CurrentRow, its cell selected in the grid,
// and the entry box holding that cell's current text, selected, so that
// Return keeps it and typing replaces it. While the box is enabled, a click
// on a student's row or ↑ and ↓ in the box move the position. Every stored
// entry is remembered, and Ctrl+Z takes them back one by one.
class EntryCursor : public QObject {
  Q_OBJECT
 public:
  // The column entries go to (-1 while there is none), and which rows take entries.
  using Column = std::function<int()>;
  using TakesEntry = std::function<bool(int row)>;

  EntryCursor(Screen& screen, QLineEdit& box, Column column, TakesEntry takesEntry);

  // Selects the cell at CurrentRow and shows its text in the box, selected,
  // with the focus there; an empty box past the last student.
  void show();
  // Only selects the cell, leaving the box as it is.
  void markCell();

  // Stores an entry with `store` (which writes at CurrentRow and moves on)
  // and remembers what it replaced, for Ctrl+Z.
  template <typename Store>
  auto store(Store&& write) {
    const Cell cell = current();
    auto outcome = write();
    history_.record(cell.row, cell.col, cell.before);
    return outcome;
  }

  // Full-width digits typed or pasted into the box become half-width ones
  // as they arrive, so that what is stored is what the box shows.
  void keepDigitsHalfWidth();

  // Takes back the newest stored entry and puts the position on its student.
  void undo();

 signals:
  // The teacher put the entry on this row: by a click, an arrow key or an undo.
  void positioned(int row);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Cell {
    int row = 0;
    int col = 0;
    QString before;
  };
  Cell current() const;
  void moveTo(int row);
  void step(int direction);

  Screen& screen_;
  QLineEdit& box_;
  Column column_;
  TakesEntry takesEntry_;
  EntryHistory history_;
};

}  // namespace gakunen
