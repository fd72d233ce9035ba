#pragma once

#include "model/session/table_host.h"
#include "model/table/student_table.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace gakunen {
struct SharedState;
}

namespace gakunen::testing {

// A screen reduced to its table, for the shared routines.
struct TestHost : TableHost {
  StudentTable grid;
  bool tableVisible = true;
  StudentTable& table() override { return grid; }
  void setTableVisible(bool visible) override { tableVisible = visible; }
};

using Rows = QList<QStringList>;

// A made-up year-group: `students` students dealt to `classes` classes in
// class and number order, names from common family and given names (some
// with 髙 and 﨑, which only the code page 932 extensions hold), `columns`
// columns titled 組, 番, 生徒氏名, the nine subjects, 合計, 平均, 順位 and
// further computed and quiz columns. Scores 0 to 100, now and then absent
// (empty). The same seed always gives the same table.
struct TableSpec {
  int students = 120;
  int classes = 4;
  int columns = 14;  // 3 to 26
  quint32 seed = 1;
};

// The column titles of a table `columns` wide (3 to 26).
QStringList ColumnTitles(int columns);
// Header row and one row per student.
Rows MakeRows(const TableSpec& spec);
// A made-up name "family　given" (full-width blank between).
QString MakeName(quint32 seed, int index);

// Puts rows into a table (widths untouched) and makes ColumnCount and
// RowCount describe it, as a screen does before it saves.
void FillTable(StudentTable& table, const Rows& rows);
void DescribeTable(SharedState& state, const StudentTable& table);
// Every cell of a table, row by row.
Rows Cells(const StudentTable& table);

// A data file's bytes written by hand, not by the program's writer: every
// field quoted (or bare), `lineEnd` after every line, code page 932. Cells
// must have a code page 932 form (asserted).
QByteArray EncodeCp932(const Rows& rows, bool quoted = true, const QByteArray& lineEnd = "\r\n");
// Text to code page 932; aborts the test on a character without one.
QByteArray Cp932(const QString& text);
// Writes bytes to a file; false on failure.
bool WriteBytes(const QString& path, const QByteArray& bytes);
QByteArray ReadBytes(const QString& path);

}  // namespace gakunen::testing
