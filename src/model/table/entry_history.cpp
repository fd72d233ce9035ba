#include "model/table/entry_history.h"

#include "model/table/student_table.h"

namespace gakunen {

EntryHistory::EntryHistory(StudentTable& table, QObject* parent) : QObject(parent), table_(table) {
  connect(&table_, &StudentTable::reset, this, &EntryHistory::clear);
}

void EntryHistory::record(int row, int col, const QString& before) {
  const QString& after = table_.text(row, col);
  if (row < 1 || row >= table_.rows() || col < 0 || col >= table_.cols() || after == before) return;
  changes_.push_back({row, col, before, after});
}

std::optional<EntryHistory::Change> EntryHistory::undo() {
  while (!changes_.empty()) {
    Change change = std::move(changes_.back());
    changes_.pop_back();
    if (table_.text(change.row, change.col) != change.after) continue;
    table_.setText(change.row, change.col, change.before);
    return change;
  }
  return std::nullopt;
}

}  // namespace gakunen
