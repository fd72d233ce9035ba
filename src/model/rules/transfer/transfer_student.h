#pragma once

#include <QString>
#include <optional>

namespace gakunen {

struct SharedState;
class TableHost;

// Inserts a transfer student into the screen's table right after the
// student of the same class with the next lower attendance number: class,
// number and name filled, every other cell empty. CurrentRow becomes the
// new row and RowCount grows by one.
//
// When the class has no student numbered n - 1 (n = 1, or a gap), the new
// row goes after the last student of the class numbered below n, or before
// the class's first student when there is none.
//
// Returns why nothing was inserted (a message for the teacher): a class or
// number that is not a whole number of 1 or more, a class without students,
// a number the class already has, or a table that is full. Returns nothing
// when the student was inserted, and also when a field is empty (nothing is
// done then).
std::optional<QString> InsertTransferStudent(SharedState& state, TableHost& screen, const QString& classText,
                                             const QString& numberText, const QString& name);

}  // namespace gakunen
