#pragma once

#include <QString>
#include <vector>

namespace gakunen {

class Printer;
class StudentTable;

// A table printed on a page of its own, and what the page holds for its
// header ("1組"); an empty heading is found from the table's class cells.
struct TablePage {
  const StudentTable* table = nullptr;
  QString heading;
};

// "1組" for class 1.
QString ClassHeading(int classNumber);

// The heading of a page whose student rows all belong to one class (column
// 0 reads "1" to "15"); empty when they belong to several or none.
QString ClassHeadingOf(const StudentTable& page);

// Prints each table at (10, 10) on a B4 portrait page of its own, in one
// job; false when there are none.
bool PrintTablePages(const std::vector<TablePage>& pages, Printer& printer);

}  // namespace gakunen
