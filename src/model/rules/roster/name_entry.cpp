#include "model/rules/roster/name_entry.h"

#include "model/ports/printer.h"
#include "model/session/shared_state.h"
#include "model/session/table_host.h"
#include "model/table/class_sizes.h"
#include "model/table/grid_routines.h"
#include "model/table/printed_tables.h"
#include "model/table/student_table.h"

#include <algorithm>

namespace gakunen {

NameEntryStep EnterName(SharedState& state, TableHost& screen, const QString& name) {
  StudentTable& t = screen.table();
  const int lastRow = t.rows() - 1;
  // Row 0 holds the titles: a stale CurrentRow must never overwrite them.
  if (state.CurrentRow < 1 || state.CurrentRow > lastRow) return NameEntryStep::NoRow;
  t.setText(state.CurrentRow, 2, name);
  state.CurrentRow += 1;
  return state.CurrentRow > lastRow ? NameEntryStep::Finished : NameEntryStep::Next;
}

std::vector<ClassPage> BuildClassPages(SharedState& state, TableHost& screen) {
  state.ClassSizes = QVector<int>(15, 0);
  CountClassSizes(state, screen);
  const StudentTable& t = screen.table();
  const int columns = state.ColumnCount;
  const int end = std::min(state.RowCount, t.rows());

  std::vector<ClassPage> pages;
  // ClassCount is the class of the last counted row; on a table whose
  // classes are out of order that would drop every higher class from the
  // printout, so every class that has students gets its page.
  for (int k = 1; k <= int(state.ClassSizes.size()); ++k) {
    const int size = state.ClassSizes.value(k - 1);
    if (size == 0) continue;  // a class number nobody has gives no empty page
    auto page = std::make_unique<StudentTable>();
    page->resize(size + 1, columns);
    ApplyStandardWidths(*page, columns);
    page->setRowTexts(0, t.rowTexts(0));
    // Taken by the class cell rather than by position, so a table whose
    // classes are out of order still prints each student under his class.
    const QString classText = QString::number(k);
    int row = 1;
    for (int r = 1; r < end && row <= size; ++r)
      if (t.text(r, 0) == classText) page->setRowTexts(row++, t.rowTexts(r));
    pages.push_back({k, std::move(page)});
  }
  return pages;
}

QString NoClassPagesMessage() { return QStringLiteral("組の番号が入った生徒がいないため、印刷するものがありません。"); }

bool PrintClassPages(const std::vector<ClassPage>& pages, Printer& printer) {
  std::vector<TablePage> sheets;
  for (const ClassPage& page : pages) sheets.push_back({page.table.get(), ClassHeading(page.classNumber)});
  return PrintTablePages(sheets, printer);
}

}  // namespace gakunen
