#include "model/rules/roster/roster_builders.h"

#include "model/session/shared_state.h"
#include "model/session/table_host.h"
#include "model/table/grid_routines.h"
#include "model/table/student_table.h"

namespace gakunen {

std::optional<QString> CheckClassCount(int classCount) {
  if (classCount < 1 || classCount > kMaxClasses)
    return QStringLiteral("クラス数は1から15までの数を入力してください。名簿は作成しませんでした。");
  return std::nullopt;
}

std::optional<QString> CheckClassSize(int classNumber, int size) {
  if (size < 1)
    return QStringLiteral("%1組の人数は1以上の数を入力してください。名簿は作成しませんでした。").arg(classNumber);
  return std::nullopt;
}

std::optional<QString> CheckSeparateRanges(int classNumber, const SeparateClassRanges& r) {
  if (r.firstBoy < 1 || r.firstGirl < 1)
    return QStringLiteral("%1組の出席番号は1以上の数を入力してください。名簿は作成しませんでした。").arg(classNumber);
  if (r.lastBoy < r.firstBoy || r.lastGirl < r.firstGirl)
    return QStringLiteral("%1組の最後の出席番号が最初の出席番号より小さくなっています。名簿は作成しませんでした。")
        .arg(classNumber);
  return std::nullopt;
}

std::optional<QString> CheckTotalStudents(const QVector<int>& classSizes) {
  long long total = 0;
  for (int s : classSizes) total += s;
  if (total > kMaxStudents)
    return QStringLiteral("生徒数の合計が%1人になります。一つの表に入るのは998人までです。名簿は作成しませんでした。")
        .arg(total);
  return std::nullopt;
}

namespace {

void prepareRoster(SharedState& state, TableHost& screen, const QVector<int>& classSizes) {
  state.ClassCount = static_cast<int>(classSizes.size());
  state.ClassSizes = classSizes;
  int total = 0;
  for (int s : classSizes) total += s;
  state.ColumnCount = 3;
  state.RowCount = 1 + total;
  SetGridColumns(state, screen);
  SetGridRows(state, screen);
  SetStandardColumnWidths(state, screen);
  WriteRosterHeader(state, screen);
}

}  // namespace

void FillMixedRoster(SharedState& state, TableHost& screen, const QVector<int>& classSizes) {
  StudentTable& t = screen.table();
  BulkChange bulk(t);
  t.resize(0, 0);
  prepareRoster(state, screen, classSizes);
  int row = 1;
  for (int k = 1; k <= classSizes.size(); ++k)
    for (int n = 1; n <= classSizes[k - 1]; ++n, ++row) {
      t.setText(row, 0, QString::number(k));
      t.setText(row, 1, QString::number(n));
    }
}

void BuildSeparateRoster(SharedState& state, TableHost& screen, const QVector<SeparateClassRanges>& classes) {
  QVector<int> sizes;
  for (const auto& c : classes) sizes.append((c.lastBoy - c.firstBoy + 1) + (c.lastGirl - c.firstGirl + 1));
  StudentTable& t = screen.table();
  BulkChange bulk(t);
  t.resize(0, 0);
  prepareRoster(state, screen, sizes);
  int row = 1;
  for (int k = 1; k <= classes.size(); ++k) {
    const auto& c = classes[k - 1];
    auto fill = [&](int first, int last) {
      for (int n = first; n <= last; ++n, ++row) {
        t.setText(row, 0, QString::number(k));
        t.setText(row, 1, QString::number(n));
      }
    };
    fill(c.firstBoy, c.lastBoy);
    fill(c.firstGirl, c.lastGirl);
  }
}

}  // namespace gakunen
