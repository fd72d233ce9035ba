#include "model/rules/subjectfiles/viewpoints.h"

#include "model/rules/subjectfiles/subject_columns.h"
#include "model/table/student_table.h"

#include <algorithm>
#include <tuple>

namespace gakunen::subjectfiles {

namespace {

constexpr int kFirstDataColumn = 3;
constexpr int kMostSetupColumns = 20;
// Every number is held in thousandths. With scores and full marks below
// 10000 (10^7 thousandths), weights up to 100 (10^5) and at most 20
// columns, a weighted sum stays below 2 * 10^13 thousandths squared, and
// both sides of a threshold comparison below 2 * 10^18: exact in 64 bits,
// so a share that equals a threshold always reaches it.
constexpr qint64 kPerUnit = 1000;
constexpr qint64 kLimit = 10000 * kPerUnit;
constexpr qint64 kMostWeight = 100 * kPerUnit;
constexpr qint64 kHundredPercent = 100 * kPerUnit;
// Wide enough for their titles.
constexpr int kResultWidths[kResults] = {950, 1500, 2400, 500};

QString columnName(const StudentTable& table, int col) {
  const QString title = table.text(0, col);
  return title.isEmpty() ? QStringLiteral("%1番目のテスト").arg(col - 2) : title;
}

// Full-width and small forms typed with the input method on, made plain.
QString plainForm(const QString& typed) { return typed.trimmed().normalized(QString::NormalizationForm_KC).toUpper(); }

struct CheckedColumn {
  int column;
  int viewpoint;  // 0..2
  qint64 fullMarks;
  qint64 weight;
};

struct CheckedSetup {
  QList<CheckedColumn> columns;
  qint64 thresholdA = 0;
  qint64 thresholdB = 0;
};

std::optional<qint64> readThreshold(const QString& text) {
  const auto value = ReadThousandths(text);
  if (!value || *value < 0 || *value > kHundredPercent) return std::nullopt;
  return value;
}

// The set-up in numbers, or why it cannot be used on this table.
std::optional<QString> checkSetup(const StudentTable& table, const ViewpointSetup& setup, CheckedSetup& out) {
  const QList<int> offered = SetupColumns(table);
  std::array<bool, kViewpoints> assigned{};
  for (const auto& [col, column] : setup.columns) {
    if (column.viewpoint == Viewpoint::None || !offered.contains(col)) continue;
    const int v = static_cast<int>(column.viewpoint) - 1;
    if (v < 0 || v >= kViewpoints) continue;
    assigned[v] = true;
    const auto full = ReadThousandths(column.fullMarks);
    if (!full || *full <= 0)
      return QStringLiteral(
                 "「%1」の満点「%2」は正の数ではありません。0より大きく10000より小さい数を入力してください。")
          .arg(columnName(table, col), column.fullMarks);
    const auto weight = ReadThousandths(column.weight);
    if (!weight || *weight <= 0 || *weight > kMostWeight)
      return QStringLiteral("「%1」の重み「%2」は使えません。0より大きく100以下の数を入力してください。")
          .arg(columnName(table, col), column.weight);
    out.columns.append({col, v, *full, *weight});
  }
  QStringList missing;
  for (int v = 0; v < kViewpoints; ++v)
    if (!assigned[v]) missing << ViewpointResultTitles()[v];
  if (!missing.isEmpty())
    return QStringLiteral(
               "「%1」に割り当てた列がありません。三つの観点のそれぞれに、少なくとも一つの列を選んでください。")
        .arg(missing.join(QStringLiteral("」「")));

  const auto a = readThreshold(setup.thresholdA);
  if (!a) return QStringLiteral("Aの基準「%1」は0から100までの数で入力してください。").arg(setup.thresholdA);
  const auto b = readThreshold(setup.thresholdB);
  if (!b) return QStringLiteral("Bの基準「%1」は0から100までの数で入力してください。").arg(setup.thresholdB);
  if (*b > *a)
    return QStringLiteral("Bの基準（%1％）がAの基準（%2％）より高くなっています。BはA以下にしてください。")
        .arg(setup.thresholdB.trimmed(), setup.thresholdA.trimmed());
  out.thresholdA = *a;
  out.thresholdB = *b;

  for (int grade : setup.conversion)
    if (grade < 1 || grade > 5) return QStringLiteral("評定の換算表には1から5までの数を選んでください。");

  const auto results = ResultColumns(table);
  const int missingColumns = static_cast<int>(std::count(results.begin(), results.end(), -1));
  if (table.cols() + missingColumns > kMaxTableColumns)
    return QStringLiteral("観点別評価の列を加えると表が%1列になり、保存できる%2列を超えます。計算はしませんでした。")
        .arg(table.cols() + missingColumns)
        .arg(kMaxTableColumns);
  return std::nullopt;
}

QString letterOf(qint64 earned, qint64 full, const CheckedSetup& setup) {
  // share (in percent) >= threshold, without a division
  const qint64 scaled = earned * kHundredPercent;
  if (scaled >= setup.thresholdA * full) return QStringLiteral("A");
  if (scaled >= setup.thresholdB * full) return QStringLiteral("B");
  return QStringLiteral("C");
}

bool marked(const HandMarks& marks, const StudentTable& table, int row, int result) {
  return marks.count({table.text(row, 0), table.text(row, 1), result}) > 0;
}

void writeGrade(StudentTable& table, int row, const std::array<int, kResults>& columns, const ViewpointSetup& setup) {
  if (columns[kGradeResult] < 0) return;
  std::array<QString, kViewpoints> letters;
  for (int v = 0; v < kViewpoints; ++v) letters[v] = columns[v] < 0 ? QString() : table.text(row, columns[v]);
  table.setText(row, columns[kGradeResult], GradeOf(letters, setup));
}

}  // namespace

bool HandMark::operator<(const HandMark& other) const {
  return std::tie(classText, number, result) < std::tie(other.classText, other.number, other.result);
}

const QStringList& ViewpointChoices() {
  static const QStringList choices{QStringLiteral("なし"), QStringLiteral("知識・技能"),
                                   QStringLiteral("思考・判断・表現"), QStringLiteral("主体的に学習に取り組む態度")};
  return choices;
}

const QStringList& ViewpointResultTitles() {
  static const QStringList titles = ViewpointChoices().mid(1) << QStringLiteral("評定");
  return titles;
}

const QStringList& LetterCombinations() {
  static const QStringList combinations{QStringLiteral("AAA"), QStringLiteral("AAB"), QStringLiteral("ABB"),
                                        QStringLiteral("AAC"), QStringLiteral("BBB"), QStringLiteral("ABC"),
                                        QStringLiteral("BBC"), QStringLiteral("ACC"), QStringLiteral("BCC"),
                                        QStringLiteral("CCC")};
  return combinations;
}

QList<int> SetupColumns(const StudentTable& table) {
  QList<int> columns;
  for (int c = kFirstDataColumn; c < table.cols() && columns.size() < kMostSetupColumns; ++c)
    if (!ViewpointResultTitles().contains(table.text(0, c))) columns << c;
  return columns;
}

std::array<int, kResults> ResultColumns(const StudentTable& table) {
  std::array<int, kResults> columns;
  for (int i = 0; i < kResults; ++i) {
    columns[i] = -1;
    for (int c = table.cols() - 1; c >= kFirstDataColumn; --c)
      if (table.text(0, c) == ViewpointResultTitles()[i]) {
        columns[i] = c;
        break;
      }
  }
  return columns;
}

std::optional<qint64> ReadThousandths(QStringView text) {
  text = text.trimmed();
  qsizetype i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
  qint64 whole = 0;
  int digits = 0;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i, ++digits) {
    whole = whole * 10 + (text[i].unicode() - u'0');
    if (whole * kPerUnit >= kLimit) return std::nullopt;
  }
  qint64 fraction = 0;
  if (i < text.size() && text[i] == u'.') {
    qint64 place = kPerUnit / 10;
    for (++i; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i, ++digits) {
      const int d = text[i].unicode() - u'0';
      if (place > 0)
        fraction += d * place;
      else if (place == 0 && d >= 5)
        fraction += 1;  // the first dropped decimal rounds
      place = place > 0 ? place / 10 : -1;
    }
  }
  if (digits == 0 || i != text.size()) return std::nullopt;
  const qint64 value = whole * kPerUnit + fraction;
  if (value >= kLimit) return std::nullopt;
  return negative ? -value : value;
}

QString GradeOf(const std::array<QString, kViewpoints>& letters, const ViewpointSetup& setup) {
  QString combination;
  for (const QString& letter : letters) {
    if (letter != u"A" && letter != u"B" && letter != u"C") return {};
    combination += letter;
  }
  std::sort(combination.begin(), combination.end());
  const qsizetype at = LetterCombinations().indexOf(combination);
  return at < 0 ? QString() : QString::number(setup.conversion[static_cast<size_t>(at)]);
}

ViewpointRun ApplyViewpoints(StudentTable& table, const ViewpointSetup& setup, const HandMarks& kept) {
  ViewpointRun run;
  CheckedSetup checked;
  if (auto refusal = checkSetup(table, setup, checked)) {
    run.refusal = *refusal;
    return run;
  }

  BulkChange bulk(table);
  std::array<int, kResults> columns = ResultColumns(table);
  for (int i = 0; i < kResults; ++i) {
    if (columns[i] >= 0) continue;
    columns[i] = table.cols();
    table.setCols(columns[i] + 1);
    table.setText(0, columns[i], ViewpointResultTitles()[i]);
    table.setColWidth(columns[i], kResultWidths[i]);
    ++run.appendedColumns;
  }

  for (int r = 1; r < table.rows(); ++r) {
    std::array<qint64, kViewpoints> earned{}, full{};
    std::array<bool, kViewpoints> taken{};
    for (const CheckedColumn& c : checked.columns) {
      const QString& text = table.text(r, c.column);
      if (text.trimmed().isEmpty()) continue;
      const auto score = ReadThousandths(text);
      if (!score || *score < 0) {
        ++run.unreadCells;
        continue;
      }
      earned[c.viewpoint] += c.weight * *score;
      full[c.viewpoint] += c.weight * c.fullMarks;
      taken[c.viewpoint] = true;
    }
    for (int v = 0; v < kViewpoints; ++v)
      if (!marked(kept, table, r, v))
        table.setText(r, columns[v], taken[v] ? letterOf(earned[v], full[v], checked) : QString());
    if (!marked(kept, table, r, kGradeResult)) writeGrade(table, r, columns, setup);
  }
  return run;
}

std::optional<QString> ApplyHandChange(StudentTable& table, int row, int col, const QString& typed,
                                       const ViewpointSetup& setup, HandMarks& marks) {
  const auto columns = ResultColumns(table);
  const auto at = std::find(columns.begin(), columns.end(), col);
  if (col < 0 || at == columns.end() || row < 1 || row >= table.rows())
    return QStringLiteral("手で変えられるのは、観点別評価の4列（%1）の生徒のセルだけです。変えるセルを選んでください。")
        .arg(ViewpointResultTitles().join(u'、'));
  const int result = static_cast<int>(at - columns.begin());
  const QString text = plainForm(typed);
  if (result == kGradeResult) {
    if (!text.isEmpty() && (text.size() != 1 || text[0] < u'1' || text[0] > u'5'))
      return QStringLiteral("「%1」は評定にできません。1から5までの数字を入力してください。").arg(typed);
  } else if (!text.isEmpty() && text != u"A" && text != u"B" && text != u"C") {
    return QStringLiteral("「%1」は評価にできません。A、B、Cのどれかを入力してください。").arg(typed);
  }
  table.setText(row, col, text);
  marks.insert({table.text(row, 0), table.text(row, 1), result});
  if (result != kGradeResult && !marked(marks, table, row, kGradeResult)) writeGrade(table, row, columns, setup);
  return std::nullopt;
}

QList<std::pair<int, int>> MarkedCells(const StudentTable& table, const HandMarks& marks) {
  QList<std::pair<int, int>> cells;
  if (marks.empty()) return cells;
  const auto columns = ResultColumns(table);
  for (int r = 1; r < table.rows(); ++r)
    for (int i = 0; i < kResults; ++i)
      if (columns[i] >= 0 && marked(marks, table, r, i)) cells.append({r, columns[i]});
  return cells;
}

}  // namespace gakunen::subjectfiles
