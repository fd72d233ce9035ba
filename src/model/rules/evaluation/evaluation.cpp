#include "model/rules/evaluation/evaluation.h"

#include "model/ports/dialogs.h"
#include "model/session/shared_state.h"
#include "model/table/class_sizes.h"
#include "model/table/numbers.h"
#include "model/table/student_table.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace gakunen {

namespace {

constexpr int kLevelColumnWidth = 300;
constexpr int kStudentsPerPage = 40;
constexpr int kClassTables = 15;

const QString& levelTitle() {
  static const QString t = QStringLiteral("評価");
  return t;
}

LevelBands refused(const QString& why) { return {{}, why}; }

QString notUsableAnswer(const QString& answer) {
  return QStringLiteral("「%1」は、使える数ではありません。数字で入力してください。評価を中止しました。").arg(answer);
}

// Asks one question; nothing when the teacher gave no answer, or an answer
// that is not a whole number of 0 or more (said in a message).
std::optional<int> askCount(Dialogs& dialogs, const QString& prompt) {
  const QString answer = dialogs.input(prompt);
  if (answer.isEmpty()) return std::nullopt;
  const std::optional<int> value = ReadWholeAnswer(answer);
  if (!value) {
    dialogs.message(notUsableAnswer(answer));
    return std::nullopt;
  }
  if (*value < 0) {
    dialogs.message(QStringLiteral("「%1」のようなマイナスの数は使えません。評価を中止しました。").arg(answer));
    return std::nullopt;
  }
  return value;
}

void describe(SharedState& state, const StudentTable& table) {
  state.ColumnCount = table.cols();
  state.RowCount = table.rows();
}

bool evaluateByPercent(SharedState& state, StudentTable& ranking, Dialogs& dialogs, int levels) {
  QList<int> percents;
  for (int level : PercentLevels(levels)) {
    const std::optional<int> p = askCount(dialogs, PercentPrompt(level));
    if (!p) return false;
    percents << *p;
  }
  const LevelBands bands = BandsFromPercentages(ranking.rows() - 1, levels, percents);
  if (!bands.ok()) {
    dialogs.message(bands.refusal);
    return false;
  }
  BulkChange bulk(ranking);
  AppendLevelColumn(state, ranking);
  WriteLevels(ranking, ranking.cols() - 1, bands.counts);
  return true;
}

}  // namespace

int ShareOfStudents(int students, int percent) {
  const qint64 product = qint64(students) * percent;
  // Whole-number arithmetic: 2.5 and 3.5 must not come out of a division as
  // 2.4999... or 3.5000...1.
  qint64 quotient = product / 100;
  qint64 remainder = product % 100;
  if (remainder < 0) {
    quotient -= 1;
    remainder += 100;
  }
  if (remainder > 50 || (remainder == 50 && quotient % 2 != 0)) quotient += 1;
  return static_cast<int>(quotient);
}

QList<int> PercentLevels(int levels) {
  if (levels == 5) return {5, 4};
  return {10, 9, 8, 7, 6};
}

QString PercentPrompt(int level) { return QStringLiteral("段階%1は、何％ですか？").arg(level); }

QString HeadCountPrompt(int level) { return QStringLiteral("段階 「 %1 」は、何人ですか？").arg(level); }

LevelBands BandsFromPercentages(int students, int levels, const QList<int>& percents) {
  const QList<int> asked = PercentLevels(levels);
  if (percents.size() != asked.size()) return refused(QStringLiteral("％の数が足りません。評価を中止しました。"));
  std::vector<int> c(levels + 1, 0);
  for (qsizetype i = 0; i < asked.size(); ++i) {
    if (percents[i] < 0)
      return refused(QStringLiteral("段階%1の％にマイナスの数は使えません。評価を中止しました。").arg(asked[i]));
    c[asked[i]] = ShareOfStudents(students, percents[i]);
  }
  int middleLevel = 0;
  if (levels == 5) {
    middleLevel = 3;
    c[3] = students - 2 * c[5] - 2 * c[4];
    c[2] = c[4];
    c[1] = c[5];
  } else {
    middleLevel = 5;
    c[5] = students - 2 * (c[10] + c[9] + c[8] + c[7]) - c[6];
    c[4] = c[7];
    c[3] = c[8];
    c[2] = c[9];
    c[1] = c[10];
  }
  // The lower bands mirror the upper ones: with too large a share on top
  // they would overlap, and the middle would be asked to hold fewer than none.
  if (c[middleLevel] < 0)
    return refused(QStringLiteral("％が大きすぎるため、段階%1の人数が%2人になってしまいます。"
                                  "上と下の段階を合わせて%3人以内になるようにしてください。評価を中止しました。")
                       .arg(middleLevel)
                       .arg(c[middleLevel])
                       .arg(students));
  return {c, {}};
}

LevelBands BandsFromHeadCounts(int students, const QList<int>& countsFromTop) {
  const int levels = static_cast<int>(countsFromTop.size());
  std::vector<int> c(levels + 1, 0);
  qint64 sum = 0;
  for (int i = 0; i < levels; ++i) {
    const int level = levels - i;
    if (countsFromTop[i] < 0)
      return refused(QStringLiteral("段階%1の人数にマイナスの数は使えません。評価を中止しました。").arg(level));
    c[level] = countsFromTop[i];
    sum += countsFromTop[i];
  }
  if (sum > students)
    return refused(QStringLiteral("人数の合計が%1人で、生徒の数（%2人）を超えています。評価を中止しました。")
                       .arg(sum)
                       .arg(students));
  return {c, {}};
}

void AppendLevelColumn(SharedState& state, StudentTable& ranking) {
  ranking.setCols(ranking.cols() + 1);
  ranking.setColWidth(ranking.cols() - 1, kLevelColumnWidth);
  describe(state, ranking);
}

std::vector<int> RankOrder(const StudentTable& ranking) {
  std::vector<int> order;
  for (int r = 1; r < ranking.rows(); ++r) order.push_back(r);
  if (ranking.text(0, 0) != QStringLiteral("順位")) return order;
  // "クラス順" leaves the table in class order; the levels must still go by
  // rank. Students who share a rank keep the order they stand in.
  auto rankOf = [&ranking](int row) {
    const double rank = TextValue(ranking.text(row, 0));
    return rank > 0 ? rank : HUGE_VAL;
  };
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return rankOf(a) < rankOf(b); });
  return order;
}

void WriteLevels(StudentTable& ranking, int column, const std::vector<int>& counts) {
  BulkChange bulk(ranking);
  ranking.setText(0, column, levelTitle());
  const std::vector<int> order = RankOrder(ranking);
  size_t next = 0;
  for (int level = static_cast<int>(counts.size()) - 1; level >= 1; --level) {
    const QString text = QString::number(level);
    for (int i = 0; i < counts[level] && next < order.size(); ++i) ranking.setText(order[next++], column, text);
  }
}

bool EvaluateFiveByPercent(SharedState& state, StudentTable& ranking, Dialogs& dialogs) {
  return evaluateByPercent(state, ranking, dialogs, 5);
}

bool EvaluateTenByPercent(SharedState& state, StudentTable& ranking, Dialogs& dialogs) {
  return evaluateByPercent(state, ranking, dialogs, 10);
}

bool EvaluateTenByCount(SharedState& state, StudentTable& ranking, Dialogs& dialogs) {
  AppendLevelColumn(state, ranking);
  const int column = ranking.cols() - 1;
  QList<int> counts;
  for (int level = 10; level >= 1; --level) {
    const std::optional<int> c = askCount(dialogs, HeadCountPrompt(level));
    if (!c) return false;
    counts << *c;
  }
  const LevelBands bands = BandsFromHeadCounts(ranking.rows() - 1, counts);
  if (!bands.ok()) {
    dialogs.message(bands.refusal);
    return false;
  }
  WriteLevels(ranking, column, bands.counts);
  return true;
}

void BuildClassTables(SharedState& state, StudentTable& ranking, const std::vector<StudentTable*>& classTables) {
  describe(state, ranking);
  const int columns = ranking.cols();
  {
    BulkChange bulk(ranking);
    ranking.sortRows(1, SortOrder::Ascending);
  }

  state.ClassSizes = QVector<int>(kClassTables, 0);
  state.ClassCount = 0;
  std::vector<int> classOf(ranking.rows(), 0);
  for (int r = 1; r < ranking.rows(); ++r) {
    const int k = PlainClassNumber(ranking.text(r, 1));
    classOf[r] = k;
    if (k == 0) continue;
    ++state.ClassSizes[k - 1];
    state.ClassCount = std::max(state.ClassCount, k);
  }

  // Class, number, name and the further columns move one to the left; the
  // rank goes last.
  auto shifted = [columns](const QStringList& row) {
    QStringList out = row.mid(1);
    while (out.size() < columns - 1) out << QString();
    out << row.value(0);
    return out;
  };
  QStringList titles = shifted(ranking.rowTexts(0));
  titles.last() = QStringLiteral("順位");

  const int tables = std::min<int>(state.ClassCount, static_cast<int>(classTables.size()));
  for (int k = 1; k <= tables; ++k) {
    StudentTable* table = classTables[k - 1];
    if (!table) continue;
    BulkChange bulk(*table);
    table->resize(state.ClassSizes[k - 1] + 1, columns);
    for (int c = 0; c < columns; ++c) table->setColWidth(c, 500);
    table->setColWidth(0, 300);
    table->setColWidth(1, 300);
    table->setColWidth(2, k == 1 ? 1300 : 1000);
    table->setRowTexts(0, titles);
    int row = 1;
    for (int r = 1; r < ranking.rows(); ++r)
      if (classOf[r] == k) table->setRowTexts(row++, shifted(ranking.rowTexts(r)));
    table->sortRows(1, SortOrder::Ascending);
  }
}

std::vector<std::unique_ptr<StudentTable>> BuildFortyPerPage(const StudentTable& ranking) {
  std::vector<std::unique_ptr<StudentTable>> pages;
  const int students = std::max(ranking.rows() - 1, 0);
  const int columns = ranking.cols();
  const QStringList titles = ranking.rowTexts(0);
  for (int first = 1; first <= students; first += kStudentsPerPage) {
    const int count = std::min(kStudentsPerPage, students - first + 1);
    auto page = std::make_unique<StudentTable>();
    page->resize(count + 1, columns);
    for (int c = 0; c < columns; ++c) page->setColWidth(c, 500);
    page->setColWidth(1, 300);
    page->setColWidth(2, 300);
    page->setColWidth(3, 1000);
    page->setRowTexts(0, titles);
    for (int i = 0; i < count; ++i) page->setRowTexts(i + 1, ranking.rowTexts(first + i));
    pages.push_back(std::move(page));
  }
  return pages;
}

}  // namespace gakunen
