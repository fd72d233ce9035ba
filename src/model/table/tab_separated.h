#pragma once

#include <QString>

namespace gakunen {

class StudentTable;

// The cells of rows top..bottom and columns left..right as a spreadsheet
// takes them from the clipboard: a tab between cells, a line end after each
// row. A cell holding a tab, a line break or a double quote goes in double
// quotes (its quotes doubled), so that it stays one cell when pasted.
QString TabSeparated(const StudentTable& table, int top, int left, int bottom, int right);

}  // namespace gakunen
