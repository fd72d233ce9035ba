#pragma once

#include <QObject>
#include <QString>
#include <optional>
#include <vector>

namespace gakunen {

class StudentTable;

// The entries typed into a table, newest last, so that the teacher can take
// them back one by one. A change of the table as a whole (a file read in,
// rows sorted or inserted, columns added) forgets them all: the rows they
// name may hold other students since.
class EntryHistory : public QObject {
  Q_OBJECT
 public:
  struct Change {
    int row = 0;
    int col = 0;
    QString before;
    QString after;
  };

  explicit EntryHistory(StudentTable& table, QObject* parent = nullptr);

  // An entry has just written the cell, which held `before`.
  void record(int row, int col, const QString& before);
  // Puts back what the newest entry replaced. An entry whose cell no longer
  // holds what was typed is passed over; nothing when none is left.
  std::optional<Change> undo();
  bool isEmpty() const { return changes_.empty(); }
  void clear() { changes_.clear(); }

 private:
  StudentTable& table_;
  std::vector<Change> changes_;
};

}  // namespace gakunen
