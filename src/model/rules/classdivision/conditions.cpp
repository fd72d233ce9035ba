#include "model/rules/classdivision/conditions.h"

#include "model/table/student_table.h"

#include <algorithm>
#include <vector>

namespace gakunen {

QString ConditionTitle(Condition condition) {
  switch (condition) {
    case Condition::Sex:
      return QStringLiteral("性別");
    case Condition::Care:
      return QStringLiteral("配慮");
    case Condition::Apart:
      return QStringLiteral("離す");
  }
  return {};
}

std::optional<Condition> ConditionOfTitle(const QString& title) {
  for (Condition c : {Condition::Sex, Condition::Care, Condition::Apart})
    if (title == ConditionTitle(c)) return c;
  return std::nullopt;
}

int ConditionColumns::count() const {
  return static_cast<int>(std::count_if(column.begin(), column.end(), [](int c) { return c >= 0; }));
}

int ConditionColumns::first() const {
  int found = -1;
  for (int c : column)
    if (c >= 0 && (found < 0 || c < found)) found = c;
  return found;
}

int ConditionColumns::last() const { return *std::max_element(column.begin(), column.end()); }

ConditionColumns FindConditionColumns(const StudentTable& table, int from, int end) {
  ConditionColumns found;
  end = std::min(end, table.cols());
  for (int c = std::max(from, 0); c < end; ++c)
    if (const auto condition = ConditionOfTitle(table.text(0, c))) found.column[static_cast<size_t>(*condition)] = c;
  return found;
}

Sex ReadSex(const QString& cell) {
  const QString t = cell.trimmed();
  if (t == u"男") return Sex::Boy;
  if (t == u"女") return Sex::Girl;
  return Sex::Unknown;
}

bool NeedsCare(const QString& cell) { return !cell.trimmed().isEmpty(); }

QString ApartCode(const QString& cell) { return cell.trimmed(); }

std::optional<QString> CheckConditionValue(Condition condition, const QString& value) {
  if (condition != Condition::Sex || value.trimmed().isEmpty() || ReadSex(value) != Sex::Unknown) return std::nullopt;
  return QStringLiteral("「%1」は性別として読めません。「男」か「女」で入力してください。").arg(value);
}

void InsertColumns(StudentTable& table, int at, int count, int width) {
  const int oldCols = table.cols();
  at = std::clamp(at, 0, oldCols);
  if (count <= 0) return;
  const int cols = oldCols + count;
  std::vector<int> widths(static_cast<size_t>(cols), width);
  std::vector<QString> cells(static_cast<size_t>(table.rows()) * cols);
  for (int c = 0; c < oldCols; ++c) {
    const int to = c < at ? c : c + count;
    widths[static_cast<size_t>(to)] = table.colWidth(c);
    for (int r = 0; r < table.rows(); ++r) cells[static_cast<size_t>(r) * cols + to] = table.text(r, c);
  }
  const int fixed = table.fixedCols();
  BulkChange bulk(table);
  table.assign(table.rows(), cols, std::move(cells));
  for (int c = 0; c < cols; ++c) table.setColWidth(c, widths[static_cast<size_t>(c)]);
  table.setFixedCols(fixed);
}

}  // namespace gakunen
