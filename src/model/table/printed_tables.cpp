#include "model/table/printed_tables.h"

#include "model/ports/printer.h"
#include "model/table/class_sizes.h"
#include "model/table/student_table.h"

namespace gakunen {

namespace {
constexpr int kPaperB4 = 12;
constexpr int kPortrait = 1;
}  // namespace

QString ClassHeading(int classNumber) { return QStringLiteral("%1組").arg(classNumber); }

QString ClassHeadingOf(const StudentTable& page) {
  int found = 0;
  for (int r = 1; r < page.rows(); ++r) {
    const int k = PlainClassNumber(page.text(r, 0));
    if (k == 0 || (found != 0 && k != found)) return {};
    found = k;
  }
  return found == 0 ? QString() : ClassHeading(found);
}

bool PrintTablePages(const std::vector<TablePage>& pages, Printer& printer) {
  if (pages.empty()) return false;
  for (size_t i = 0; i < pages.size(); ++i) {
    if (i > 0) printer.newPage();
    printer.setPageSetup(kPaperB4, kPortrait);
    const StudentTable& table = *pages[i].table;
    printer.setPageHeading(pages[i].heading.isEmpty() ? ClassHeadingOf(table) : pages[i].heading);
    printer.drawTable(table, 10, 10);
  }
  printer.endJob();
  return true;
}

}  // namespace gakunen
