#pragma once

#include <QString>
#include <memory>
#include <vector>

namespace gakunen {

struct SharedState;
class TableHost;
class StudentTable;
class Printer;

enum class NameEntryStep {
  Next,      // the name is in; CurrentRow is the next student
  Finished,  // the name went into the last row; entry is over
  NoRow,     // CurrentRow is not a student row of the table; nothing was written
};

// Puts `name`, as typed (empty clears the name), into column 2 of row
// CurrentRow of the screen's table and moves CurrentRow down one row.
NameEntryStep EnterName(SharedState& state, TableHost& screen, const QString& name);

// One printed page of a class: the title row of the screen's table and the
// students of that class in table order.
struct ClassPage {
  int classNumber = 0;
  std::unique_ptr<StudentTable> table;
};

// The pages of a roster printed class by class: counts the classes into
// ClassSizes and ClassCount first, then fills one page table for each class
// from 1 to 15 that has students. Every page has ColumnCount
// columns with the standard widths.
std::vector<ClassPage> BuildClassPages(SharedState& state, TableHost& screen);

// What the teacher is told when BuildClassPages finds no class to print.
QString NoClassPagesMessage();

// Prints each class page on a B4 portrait sheet of its own, in one job;
// false, printing nothing, when there are no pages.
bool PrintClassPages(const std::vector<ClassPage>& pages, Printer& printer);

}  // namespace gakunen
