#pragma once

#include <QString>
#include <optional>

namespace gakunen {

struct SharedState;
class TableHost;
class StudentTable;

namespace quizzes {

// Appends one empty, untitled quiz column (500 twips) at the right and counts
// it in ColumnCount. A table already holding the most columns a data file can
// hold gets none; the reason is returned instead.
std::optional<QString> AddQuizColumn(SharedState& state, TableHost& screen);

enum class ScoreEntry {
  NoStudentRow,   // CurrentRow names no student row: nothing written
  NoScoreColumn,  // only class, number and name: nothing written over a name
  Stored,         // written; CurrentRow moved to the next student
  TableEnded,     // written to the last student; CurrentRow now past the table
};

// Writes a typed score into row CurrentRow of the newest (last) column and
// moves CurrentRow down one row, across class boundaries. A table of only
// the roster columns has no score column to write to, nor has one whose last
// column holds the computed viewpoint letters or 評定.
ScoreEntry StoreQuizScore(SharedState& state, StudentTable& table, const QString& score);

}  // namespace quizzes
}  // namespace gakunen
