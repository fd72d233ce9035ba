#include "model/rules/classdivision/new_class_work.h"

#include "model/ports/printer.h"
#include "model/session/shared_state.h"
#include "model/session/table_host.h"
#include "model/table/class_sizes.h"
#include "model/table/numbers.h"
#include "model/table/student_table.h"

#include <QMap>
#include <algorithm>
#include <memory>
#include <numeric>
#include <vector>

#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

namespace gakunen {

using namespace class_list;

namespace {

const QStringList& rankedTitles() {
  static const QStringList titles = {QStringLiteral("新組"), QStringLiteral("番号"), QStringLiteral("生徒氏名"),
                                     QStringLiteral("合計"), QStringLiteral("旧組")};
  return titles;
}

void setRankedWidths(StudentTable& table, int columns) {
  for (int c = 0; c < columns; ++c) table.setColWidth(c, 500);
  table.setColWidth(kName, 1000);
  if (columns > kReading) table.setColWidth(kReading, 700);
}

void setCleanWidths(StudentTable& table) {
  table.setColWidth(0, 300);
  table.setColWidth(1, 300);
  table.setColWidth(2, 1300);
}

// The rows of each new class in list order, and the highest class that has
// any. Only class cells written plainly as 1 to 15 count.
struct Members {
  std::array<std::vector<int>, kMaxNewClasses> rows;
  int classCount = 0;
};

Members membersOf(const StudentTable& list) {
  Members m;
  for (int r = 1; r < list.rows(); ++r) {
    const int k = PlainClassNumber(list.text(r, kClass));
    if (k == 0) continue;
    m.rows[k - 1].push_back(r);
    m.classCount = std::max(m.classCount, k);
  }
  return m;
}

// One collator for the whole program: opening it reads ICU's tables.
const icu::Collator* japaneseCollator() {
  static const std::unique_ptr<icu::Collator> collator = [] {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Collator> c(icu::Collator::createInstance(icu::Locale::getJapanese(), status));
    if (U_FAILURE(status)) c.reset();
    // Hiragana and katakana readings of the same name differ only at the
    // fourth level; without it さとう and サトウ would tie.
    if (c) c->setStrength(icu::Collator::QUATERNARY);
    return c;
  }();
  return collator.get();
}

icu::UnicodeString toIcu(const QString& text) {
  return icu::UnicodeString(reinterpret_cast<const UChar*>(text.utf16()), static_cast<int32_t>(text.size()));
}

std::vector<uint8_t> sortKey(const icu::Collator& collator, const QString& text) {
  const icu::UnicodeString s = toIcu(text);
  std::vector<uint8_t> key(64);
  int32_t length = collator.getSortKey(s, key.data(), static_cast<int32_t>(key.size()));
  if (length > static_cast<int32_t>(key.size())) {
    key.resize(static_cast<size_t>(length));
    length = collator.getSortKey(s, key.data(), length);
  }
  key.resize(static_cast<size_t>(std::max(length, 0)));
  return key;
}

}  // namespace

QString ReadingTitle() { return QStringLiteral("ふりがな"); }

bool HasReadingColumn(const StudentTable& list) {
  return list.cols() > kReading && list.text(0, kReading) == ReadingTitle();
}

bool HasRankingColumns(const StudentTable& list) { return list.cols() >= kRankedColumns; }

MoveOutcome MoveStudent(StudentTable& list, const QString& classAnswer, const QString& numberAnswer,
                        const QString& targetAnswer) {
  MoveOutcome out;
  for (const QString& answer : {classAnswer, numberAnswer, targetAnswer}) {
    if (!ReadWholeAnswer(answer)) {
      out.refusal = QStringLiteral("「%1」は数として読めません。入れ替えはしませんでした。").arg(answer);
      return out;
    }
  }
  const int c = *ReadWholeAnswer(classAnswer);
  const int n = *ReadWholeAnswer(numberAnswer);
  const int t = *ReadWholeAnswer(targetAnswer);
  if (t < 1 || t > kMaxNewClasses) {
    out.refusal =
        QStringLiteral("%1組には入れられません。入れる組は1から%2までで入力してください。").arg(t).arg(kMaxNewClasses);
    return out;
  }
  // The block of class c runs from its first to its last row as the list
  // stands; a student moved out earlier still holds a row inside it.
  int first = -1;
  int last = -1;
  for (int r = 1; r < list.rows() && c >= 1; ++r) {
    if (TextValue(list.text(r, kClass)) != c) continue;
    if (first < 0) first = r;
    last = r;
  }
  if (first < 0) {
    out.refusal = QStringLiteral("%1組の生徒は表にいません。入れ替えはしませんでした。").arg(c);
    return out;
  }
  const int blockRows = last - first + 1;
  if (n < 1 || n > blockRows) {
    out.refusal =
        QStringLiteral("%1組に%2番目の生徒はいません。1から%3までで入力してください。").arg(c).arg(n).arg(blockRows);
    return out;
  }
  const int row = first + n - 1;
  if (TextValue(list.text(row, kClass)) != c) {
    out.refusal = QStringLiteral(
                      "%1組の%2番目の生徒は、すでに%3組に入れ替えてあります。"
                      "「組並べ替え」をしてから入れ替えてください。")
                      .arg(c)
                      .arg(n)
                      .arg(list.text(row, kClass));
    return out;
  }
  list.setText(row, kClass, QString::number(t));
  out.row = row;
  return out;
}

void RegroupByClass(SharedState& state, TableHost& screen) {
  StudentTable& list = screen.table();
  state.RowCount = list.rows();
  list.sortRows(kClass, SortOrder::Ascending);
  state.ClassSizes = QVector<int>(kMaxNewClasses, 0);
  CountClassSizes(state, screen);
}

ConditionColumns ListConditionColumns(const StudentTable& list) {
  return FindConditionColumns(list, kRankedColumns, list.cols());
}

int ClassListSaveColumns(const StudentTable& list) {
  const int wanted =
      std::max(HasReadingColumn(list) ? kReadingColumns : kRankedColumns, ListConditionColumns(list).last() + 1);
  return std::min(wanted, list.cols());
}

namespace {

QString tooWideMessage(const QString& what) {
  return QStringLiteral("表がすでに%1列あるため、%2の列を加えられません。").arg(kWidestDivisionTable).arg(what);
}

void recountClasses(SharedState& state, TableHost& screen) {
  state.ColumnCount = screen.table().cols();
  state.RowCount = screen.table().rows();
  state.ClassSizes = QVector<int>(kMaxNewClasses, 0);
  CountClassSizes(state, screen);
}

}  // namespace

std::optional<QString> PrepareReadingColumn(SharedState& state, TableHost& screen) {
  StudentTable& list = screen.table();
  if (!HasRankingColumns(list))
    return QStringLiteral("この表には「合計」と「旧組」の列がないため、ふりがなは付けられません。");
  // Conditions typed before the readings make room for them.
  const bool conditionsThere = list.cols() > kReading && ConditionOfTitle(list.text(0, kReading));
  if (list.cols() > kReading && !HasReadingColumn(list) && !conditionsThere)
    return QStringLiteral("6列目に「%1」の列があるため、ふりがなの列を作れません。").arg(list.text(0, kReading));
  if (conditionsThere && list.cols() >= kWidestDivisionTable) return tooWideMessage(ReadingTitle());
  state.ModeCode = ModeCode::ReadingColumn;
  {
    BulkChange bulk(list);
    if (conditionsThere) InsertColumns(list, kReading, 1, 700);
    if (list.cols() <= kReading) list.setCols(kReadingColumns);
    list.setText(0, kReading, ReadingTitle());
    list.setColWidth(kReading, 700);
  }
  recountClasses(state, screen);
  return std::nullopt;
}

ConditionColumnOutcome PrepareConditionColumn(SharedState& state, TableHost& screen, Condition condition) {
  StudentTable& list = screen.table();
  ConditionColumnOutcome out;
  if (!HasRankingColumns(list)) {
    out.refusal = QStringLiteral("この表には「合計」と「旧組」の列がないため、条件は付けられません。");
    return out;
  }
  out.column = ListConditionColumns(list)[condition];
  if (out.column < 0) {
    if (list.cols() >= kWidestDivisionTable) {
      out.refusal = tooWideMessage(QStringLiteral("「%1」").arg(ConditionTitle(condition)));
      return out;
    }
    BulkChange bulk(list);
    out.column = list.cols();
    list.setCols(out.column + 1);
    list.setText(0, out.column, ConditionTitle(condition));
    list.setColWidth(out.column, 500);
  }
  recountClasses(state, screen);
  return out;
}

ReadingStep EnterIntoColumn(SharedState& state, StudentTable& list, int column, const QString& text) {
  const int last = list.rows() - 1;
  if (state.CurrentRow < 1 || state.CurrentRow > last || column < 0 || column >= list.cols()) return ReadingStep::NoRow;
  list.setText(state.CurrentRow, column, text);
  ++state.CurrentRow;
  return state.CurrentRow > last ? ReadingStep::Finished : ReadingStep::Next;
}

ReadingStep EnterReading(SharedState& state, StudentTable& list, const QString& reading) {
  if (!HasReadingColumn(list)) return ReadingStep::NoRow;
  return EnterIntoColumn(state, list, kReading, reading);
}

int CompareReadings(const QString& a, const QString& b) {
  if (const icu::Collator* collator = japaneseCollator()) {
    UErrorCode status = U_ZERO_ERROR;
    const UCollationResult r = collator->compare(toIcu(a), toIcu(b), status);
    if (U_SUCCESS(status)) return r;
  }
  return QString::compare(a, b, Qt::CaseSensitive);
}

void SortRowsByReading(StudentTable& table, int column) {
  const int count = table.rows() - 1;
  if (count < 2 || column < 0 || column >= table.cols()) return;
  std::vector<int> order(static_cast<size_t>(count));
  std::iota(order.begin(), order.end(), 1);
  if (const icu::Collator* collator = japaneseCollator()) {
    std::vector<std::vector<uint8_t>> keys(static_cast<size_t>(table.rows()));
    for (int r = 1; r < table.rows(); ++r) keys[static_cast<size_t>(r)] = sortKey(*collator, table.text(r, column));
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
      const auto& ka = keys[static_cast<size_t>(a)];
      const auto& kb = keys[static_cast<size_t>(b)];
      // ICU sort keys end with a zero byte and compare as plain strings.
      return std::lexicographical_compare(ka.begin(), ka.end(), kb.begin(), kb.end());
    });
  } else {
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
      return QString::compare(table.text(a, column), table.text(b, column), Qt::CaseSensitive) < 0;
    });
  }
  const int cols = table.cols();
  std::vector<QString> cells(static_cast<size_t>(table.rows()) * cols);
  for (int c = 0; c < cols; ++c) cells[static_cast<size_t>(c)] = table.text(0, c);
  for (int i = 0; i < count; ++i)
    for (int c = 0; c < cols; ++c)
      cells[static_cast<size_t>(i + 1) * cols + c] = table.text(order[static_cast<size_t>(i)], c);
  table.assign(table.rows(), cols, std::move(cells));
}

std::optional<QString> CheckNewClassOrder(const StudentTable& list, NewClassOrder order) {
  if (!HasRankingColumns(list))
    return order == NewClassOrder::ByTotal
               ? QStringLiteral("この表には「合計」と「旧組」の列がないため、新クラスを成績順に並べ替えられません。")
               : QStringLiteral("この表には「合計」と「旧組」の列がないため、新クラスを氏名順に並べ替えられません。");
  if (order == NewClassOrder::ByReading && !HasReadingColumn(list))
    return QStringLiteral("ふりがなの列がありません。「ふりがな」でふりがなを付けてから並べ替えてください。");
  if (membersOf(list).classCount == 0)
    return QStringLiteral("新クラスの組（1から%1）が入った生徒がいないため、並べ替えられません。").arg(kMaxNewClasses);
  // A student of no class would belong to no class table and drop out of
  // the lists, leaving a blank row in their place.
  constexpr int kNamed = 10;
  QStringList named;
  int unplaced = 0;
  for (int r = 1; r < list.rows(); ++r) {
    if (PlainClassNumber(list.text(r, kClass)) != 0) continue;
    if (++unplaced > kNamed) continue;
    const QString name = list.text(r, kName).isEmpty() ? QStringLiteral("氏名なし") : list.text(r, kName);
    named << QStringLiteral("%1行目の%2（組「%3」）").arg(r).arg(name, list.text(r, kClass));
  }
  if (unplaced == 0) return std::nullopt;
  QString who = named.join(QStringLiteral("、"));
  if (unplaced > kNamed) who += QStringLiteral("ほか%1人").arg(unplaced - kNamed);
  return QStringLiteral(
             "新クラスの組が1から%1の数になっていない生徒がいるため、並べ替えませんでした。%2。"
             "このままでは、この生徒はどの組にも入らず、名簿から抜けてしまいます。"
             "組を1から%1の数に直したファイルを読み込み直してください。")
      .arg(kMaxNewClasses)
      .arg(who);
}

void RankNewClasses(SharedState& state, const StudentTable& list, NewClassOrder order,
                    const std::array<StudentTable*, kMaxNewClasses>& classTables, StudentTable& result) {
  const bool byReading = order == NewClassOrder::ByReading;
  const int columns = byReading ? kReadingColumns : kRankedColumns;
  const Members members = membersOf(list);

  state.ClassSizes = QVector<int>(kMaxNewClasses, 0);
  state.ClassCount = members.classCount;
  for (int k = 1; k <= kMaxNewClasses; ++k) {
    StudentTable* table = classTables[k - 1];
    const std::vector<int>& rows = members.rows[k - 1];
    state.ClassSizes[k - 1] = static_cast<int>(rows.size());
    if (!table) continue;
    BulkChange bulk(*table);
    if (k > members.classCount) {
      table->assign(0, 0, {});
      continue;
    }
    const int size = static_cast<int>(rows.size());
    std::vector<QString> cells(static_cast<size_t>(size + 1) * columns);
    for (int c = 0; c < kRankedColumns; ++c) cells[static_cast<size_t>(c)] = rankedTitles()[c];
    if (byReading) cells[kReading] = k == 1 ? ReadingTitle() : QStringLiteral("ひらがな");
    const QString classText = QString::number(k);
    for (int i = 1; i <= size; ++i) {
      QString* row = cells.data() + static_cast<size_t>(i) * columns;
      const int s = rows[static_cast<size_t>(i - 1)];
      row[kClass] = classText;
      for (int c = kName; c < columns; ++c) row[c] = list.text(s, c);
    }
    table->assign(size + 1, columns, std::move(cells));
    setRankedWidths(*table, columns);
    if (byReading)
      SortRowsByReading(*table, kReading);
    else
      table->sortRows(kTotal, SortOrder::Descending);
    for (int i = 1; i <= size; ++i) table->setText(i, kNumber, QString::number(i));
  }

  const int listRows = std::max(list.rows(), 1);
  std::vector<QString> cells(static_cast<size_t>(listRows) * columns);
  for (int c = 0; c < kRankedColumns; ++c) cells[static_cast<size_t>(c)] = rankedTitles()[c];
  if (byReading) cells[kReading] = ReadingTitle();
  int at = 1;
  for (int k = 1; k <= members.classCount; ++k) {
    const StudentTable* table = classTables[k - 1];
    if (!table) continue;
    for (int i = 1; i < table->rows() && at < listRows; ++i, ++at)
      for (int c = 0; c < columns; ++c) cells[static_cast<size_t>(at) * columns + c] = table->text(i, c);
  }
  BulkChange bulk(result);
  result.assign(listRows, columns, std::move(cells));
  setRankedWidths(result, columns);
  state.ColumnCount = columns;
  state.RowCount = listRows;
}

QList<int> MakeCleanCopy(SharedState& state, TableHost& afterSwap,
                         const std::array<StudentTable*, kMaxNewClasses>& sourceTables,
                         const std::array<StudentTable*, kMaxNewClasses>& targetTables, StudentTable& targetList) {
  const StudentTable& list = afterSwap.table();
  state.RowCount = list.rows();
  state.ClassSizes = QVector<int>(kMaxNewClasses, 0);
  CountClassSizes(state, afterSwap);

  static const QStringList titles = {QStringLiteral("組"), QStringLiteral("番"), QStringLiteral("生徒氏名")};
  QList<int> shortClasses;
  for (int k = 1; k <= kMaxNewClasses; ++k) {
    StudentTable* target = targetTables[k - 1];
    if (!target) continue;
    BulkChange bulk(*target);
    if (k > state.ClassCount) {
      target->assign(0, 0, {});
      continue;
    }
    const StudentTable* source = sourceTables[k - 1];
    const int available = source ? std::max(source->rows() - 1, 0) : 0;
    int size = state.ClassSizes[k - 1];
    if (size > available) {
      shortClasses << k;
      size = available;
      state.ClassSizes[k - 1] = size;
    }
    std::vector<QString> cells(static_cast<size_t>(size + 1) * kCleanColumns);
    for (int c = 0; c < kCleanColumns; ++c) cells[static_cast<size_t>(c)] = titles[c];
    for (int i = 1; i <= size; ++i)
      for (int c = 0; c < kCleanColumns; ++c) cells[static_cast<size_t>(i) * kCleanColumns + c] = source->text(i, c);
    target->assign(size + 1, kCleanColumns, std::move(cells));
    setCleanWidths(*target);
  }

  state.ColumnCount = kCleanColumns;
  const int listRows = std::max(state.RowCount, 1);
  std::vector<QString> cells(static_cast<size_t>(listRows) * kCleanColumns);
  for (int c = 0; c < kCleanColumns; ++c) cells[static_cast<size_t>(c)] = titles[c];
  int at = 1;
  for (int k = 1; k <= state.ClassCount; ++k) {
    const StudentTable* target = targetTables[k - 1];
    if (!target) continue;
    for (int i = 1; i < target->rows() && at < listRows; ++i, ++at)
      for (int c = 0; c < kCleanColumns; ++c) cells[static_cast<size_t>(at) * kCleanColumns + c] = target->text(i, c);
  }
  BulkChange bulk(targetList);
  targetList.assign(listRows, kCleanColumns, std::move(cells));
  setCleanWidths(targetList);
  return shortClasses;
}

int PrintClassTables(Printer& printer, const std::array<StudentTable*, kMaxNewClasses>& classTables,
                     const StudentTable* lastPage) {
  int pages = 0;
  for (int k = 1; k <= kMaxNewClasses; ++k)
    if (classTables[k - 1] && classTables[k - 1]->rows() > 0) pages = k;
  for (int k = 1; k <= pages; ++k) {
    if (k > 1) printer.newPage();
    printer.drawTable(*classTables[k - 1], 10, 10);
  }
  if (pages > 0 && lastPage && lastPage->rows() > 0) {
    printer.newPage();
    printer.drawTable(*lastPage, 10, 10);
    ++pages;
  }
  if (pages > 0) printer.endJob();
  return pages;
}

QStringList OldClassesInOrder(const StudentTable& list) {
  const Members members = membersOf(list);
  QStringList oldClasses;
  for (int k = 0; k < members.classCount; ++k)
    for (int r : members.rows[static_cast<size_t>(k)]) {
      const QString old = list.text(r, kOldClass).trimmed();
      if (!oldClasses.contains(old)) oldClasses << old;
    }
  std::stable_sort(oldClasses.begin(), oldClasses.end(), [](const QString& a, const QString& b) {
    double va = 0, vb = 0;
    const bool na = ReadsAsNumber(a, &va), nb = ReadsAsNumber(b, &vb);
    if (na != nb) return na;
    if (na) return va < vb;
    return a < b;
  });
  return oldClasses;
}

QString OldClassTitle(const QString& oldClass) {
  return oldClass.isEmpty() ? QStringLiteral("旧組なし") : QStringLiteral("旧%1組").arg(oldClass);
}

}  // namespace gakunen
