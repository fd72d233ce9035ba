#include "model/rules/transfer/transfer_student.h"

#include "model/rules/roster/roster_builders.h"
#include "model/session/shared_state.h"
#include "model/session/table_host.h"
#include "model/table/numbers.h"
#include "model/table/student_table.h"

#include <algorithm>

namespace gakunen {

namespace {

// The row before which the student goes, or nothing when the class has no
// rows or already has the number.
struct Placement {
  int row = -1;
  std::optional<QString> refusal;
};

Placement place(const StudentTable& t, int lastRow, int classNumber, int number) {
  int previous = -1;  // the row of number - 1
  int lastBelow = -1;
  int first = -1;
  for (int r = 1; r <= lastRow; ++r) {
    if (TextValue(t.text(r, 0)) != classNumber) continue;
    const double n = TextValue(t.text(r, 1));
    if (first < 0) first = r;
    if (n == number)
      return {-1, QStringLiteral("%1組にはすでに%2番の生徒がいます。転入生は追加しませんでした。")
                      .arg(classNumber)
                      .arg(number)};
    if (n == number - 1 && previous < 0) previous = r;
    if (n < number) lastBelow = r;
  }
  if (first < 0) return {-1, QStringLiteral("%1組の生徒は表にいません。転入生は追加しませんでした。").arg(classNumber)};
  if (previous >= 0) return {previous + 1, std::nullopt};
  if (lastBelow >= 0) return {lastBelow + 1, std::nullopt};
  return {first, std::nullopt};
}

std::optional<int> positiveWhole(const QString& text) {
  auto value = ReadWholeAnswer(text);
  if (!value || *value < 1) return std::nullopt;
  return value;
}

}  // namespace

std::optional<QString> InsertTransferStudent(SharedState& state, TableHost& screen, const QString& classText,
                                             const QString& numberText, const QString& name) {
  state.CurrentForm = &screen;
  if (classText.isEmpty() || numberText.isEmpty() || name.isEmpty()) return std::nullopt;

  const auto classNumber = positiveWhole(classText);
  if (!classNumber)
    return QStringLiteral("転入生のクラス「%1」は1以上の数で入力してください。転入生は追加しませんでした。")
        .arg(classText);
  const auto number = positiveWhole(numberText);
  if (!number)
    return QStringLiteral("転入生の出席番号「%1」は1以上の数で入力してください。転入生は追加しませんでした。")
        .arg(numberText);

  StudentTable& t = screen.table();
  const int lastRow = std::min(state.RowCount, t.rows()) - 1;
  // A file keeps at most 998 students when it is opened again: one more
  // would be saved and then silently dropped.
  if (lastRow >= kMaxStudents) return QStringLiteral("一つの表に入るのは998人までです。転入生は追加しませんでした。");

  const Placement at = place(t, lastRow, *classNumber, *number);
  if (at.refusal) return at.refusal;

  screen.setTableVisible(false);
  state.CurrentRow = at.row;
  t.insertRow(at.row, {QString::number(*classNumber), QString::number(*number), name});
  state.RowCount += 1;
  screen.setTableVisible(true);
  return std::nullopt;
}

}  // namespace gakunen
