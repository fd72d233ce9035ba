#include "support/table_fixtures.h"

#include "model/files/text_codec.h"
#include "model/session/shared_state.h"
#include "model/table/numbers.h"

#include <QFile>
#include <QRandomGenerator>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace gakunen::testing {

namespace {

const QStringList kFamilyNames = {
    QStringLiteral("佐藤"),   QStringLiteral("鈴木"), QStringLiteral("髙橋"), QStringLiteral("田中"),
    QStringLiteral("伊藤"),   QStringLiteral("渡辺"), QStringLiteral("山本"), QStringLiteral("中村"),
    QStringLiteral("小林"),   QStringLiteral("加藤"), QStringLiteral("吉田"), QStringLiteral("山田"),
    QStringLiteral("佐々木"), QStringLiteral("山﨑"), QStringLiteral("松本"), QStringLiteral("井上"),
    QStringLiteral("木村"),   QStringLiteral("林"),   QStringLiteral("斎藤"), QStringLiteral("清水"),
    QStringLiteral("宮﨑"),   QStringLiteral("髙木"), QStringLiteral("森"),   QStringLiteral("池田"),
    QStringLiteral("橋本"),   QStringLiteral("阿部"), QStringLiteral("石川"), QStringLiteral("長谷川"),
};

const QStringList kGivenNames = {
    QStringLiteral("大翔"), QStringLiteral("蓮"),     QStringLiteral("陽翔"), QStringLiteral("湊"),
    QStringLiteral("樹"),   QStringLiteral("悠真"),   QStringLiteral("健太"), QStringLiteral("翔太"),
    QStringLiteral("拓海"), QStringLiteral("颯"),     QStringLiteral("結衣"), QStringLiteral("陽菜"),
    QStringLiteral("美咲"), QStringLiteral("さくら"), QStringLiteral("葵"),   QStringLiteral("凛"),
    QStringLiteral("彩花"), QStringLiteral("芽依"),   QStringLiteral("心春"), QStringLiteral("ひかり"),
    QStringLiteral("優斗"), QStringLiteral("莉子"),   QStringLiteral("直樹"), QStringLiteral("真央"),
};

const QStringList kTitles = {
    QStringLiteral("組"),         QStringLiteral("番"),         QStringLiteral("生徒氏名"),
    QStringLiteral("国語"),       QStringLiteral("社会"),       QStringLiteral("数学"),
    QStringLiteral("理科"),       QStringLiteral("英語"),       QStringLiteral("音楽"),
    QStringLiteral("美術"),       QStringLiteral("保体"),       QStringLiteral("技家"),
    QStringLiteral("合計"),       QStringLiteral("平均"),       QStringLiteral("順位"),
    QStringLiteral("評価"),       QStringLiteral("偏差値"),     QStringLiteral("小テスト一"),
    QStringLiteral("小テスト二"), QStringLiteral("小テスト三"), QStringLiteral("小テスト四"),
    QStringLiteral("小テスト五"), QStringLiteral("備考"),       QStringLiteral("小テスト六"),
    QStringLiteral("小テスト七"), QStringLiteral("小テスト八"),
};

constexpr int kSubjects = 9;
constexpr int kFirstSubject = 3;

[[noreturn]] void abortFixture(const char* what) {
  std::fprintf(stderr, "table_fixtures: %s\n", what);
  std::abort();
}

}  // namespace

QStringList ColumnTitles(int columns) {
  if (columns < 3 || columns > kTitles.size()) abortFixture("column count outside 3..26");
  return kTitles.mid(0, columns);
}

QString MakeName(quint32 seed, int index) {
  QRandomGenerator rng(seed * 7919u + static_cast<quint32>(index));
  return kFamilyNames[rng.bounded(kFamilyNames.size())] + QChar(0x3000) + kGivenNames[rng.bounded(kGivenNames.size())];
}

Rows MakeRows(const TableSpec& spec) {
  const QStringList titles = ColumnTitles(spec.columns);
  const int classes = std::max(spec.classes, 1);
  QRandomGenerator rng(spec.seed);
  Rows rows;
  rows.reserve(spec.students + 1);
  rows.append(titles);

  // Scores first, then the computed columns, which depend on all students.
  struct Student {
    int cls, number;
    QString name;
    std::vector<int> scores;  // -1 = absent
    double total = 0;
    int taken = 0;
  };
  std::vector<Student> students;
  students.reserve(spec.students);
  for (int k = 0, index = 0; k < classes; ++k) {
    const int size = spec.students / classes + (k < spec.students % classes ? 1 : 0);
    for (int n = 1; n <= size; ++n, ++index) {
      Student s{k + 1, n, MakeName(spec.seed, index), {}, 0, 0};
      const int ability = 35 + static_cast<int>(rng.bounded(55));
      for (int j = 0; j < kSubjects; ++j) {
        if (rng.bounded(40) == 0) {
          s.scores.push_back(-1);
          continue;
        }
        const int score = std::clamp(ability + static_cast<int>(rng.bounded(41)) - 20, 0, 100);
        s.scores.push_back(score);
        s.total += score;
        ++s.taken;
      }
      students.push_back(std::move(s));
    }
  }
  std::vector<double> totals;
  for (const Student& s : students) totals.push_back(s.total);
  std::sort(totals.begin(), totals.end(), std::greater<>());

  for (const Student& s : students) {
    QStringList row;
    row.reserve(spec.columns);
    for (int c = 0; c < spec.columns; ++c) {
      const QString& title = titles[c];
      QString cell;
      if (c == 0) {
        cell = QString::number(s.cls);
      } else if (c == 1) {
        cell = QString::number(s.number);
      } else if (c == 2) {
        cell = s.name;
      } else if (c < kFirstSubject + kSubjects) {
        const int score = s.scores[c - kFirstSubject];
        if (score >= 0) cell = QString::number(score);
      } else if (title == QStringLiteral("合計")) {
        cell = FormatGeneral(s.total);
      } else if (title == QStringLiteral("平均")) {
        cell = s.taken ? FormatAverage(s.total / s.taken) : QString();
      } else if (title == QStringLiteral("順位")) {
        const auto at = std::find(totals.begin(), totals.end(), s.total) - totals.begin();
        cell = QString::number(at + 1);
      } else if (title == QStringLiteral("評価")) {
        cell = QString::number(1 + static_cast<int>(s.total / (kSubjects * 100.0 + 1) * 5));
      } else if (title == QStringLiteral("偏差値")) {
        cell = FormatAverage(30 + rng.bounded(400) / 10.0);
      } else if (title == QStringLiteral("備考")) {
        if (rng.bounded(10) == 0) cell = QStringLiteral("欠席あり");
      } else {  // quizzes, out of 10
        cell = QString::number(rng.bounded(11));
      }
      row.append(cell);
    }
    rows.append(row);
  }
  return rows;
}

void FillTable(StudentTable& table, const Rows& rows) {
  const int cols = rows.isEmpty() ? 0 : static_cast<int>(rows.first().size());
  std::vector<QString> cells;
  cells.reserve(static_cast<size_t>(rows.size()) * cols);
  for (const QStringList& row : rows)
    for (int c = 0; c < cols; ++c) cells.push_back(c < row.size() ? row[c] : QString());
  table.assign(static_cast<int>(rows.size()), cols, std::move(cells));
}

void DescribeTable(SharedState& state, const StudentTable& table) {
  state.ColumnCount = table.cols();
  state.RowCount = table.rows();
}

Rows Cells(const StudentTable& table) {
  Rows rows;
  for (int r = 0; r < table.rows(); ++r) rows.append(table.rowTexts(r));
  return rows;
}

QByteArray Cp932(const QString& text) {
  auto bytes = TextCodec::encodeCp932(text);
  if (!bytes) abortFixture("text without a code page 932 form");
  return *bytes;
}

QByteArray EncodeCp932(const Rows& rows, bool quoted, const QByteArray& lineEnd) {
  QByteArray out;
  for (const QStringList& row : rows) {
    for (qsizetype c = 0; c < row.size(); ++c) {
      if (c > 0) out += ',';
      if (quoted) out += '"';
      out += Cp932(row[c]);
      if (quoted) out += '"';
    }
    out += lineEnd;
  }
  return out;
}

bool WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  return file.write(bytes) == bytes.size();
}

QByteArray ReadBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

}  // namespace gakunen::testing
