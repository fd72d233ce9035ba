// A whole school year driven through the screens as the teachers use them,
// on a year-group made up here: four classes of 30 to 35 students, names
// with code page 932 extension kanji, two tests of five subjects, a quiz and
// the readings of every name. Every figure the program shows, saves or prints
// is compared with what this file computes from the made-up data by itself.
//
// The steps follow the year and build on each other's files: a step whose
// predecessor failed is skipped.

#include "app/application.h"
#include "model/files/text_codec.h"
#include "model/ports/scripted_dialogs.h"
#include "model/session/shared_state.h"
#include "model/session/table_host.h"
#include "model/table/student_table.h"
#include "support/table_fixtures.h"
#include "ui/bar_chart.h"
#include "ui/grid_view.h"
#include "ui/page_printer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <array>
#include <memory>
#include <numeric>

using namespace gakunen;
using namespace gakunen::testing;

namespace {

constexpr int kClasses = 4;
constexpr int kSubjects = 5;
constexpr int kAbsent = -1;

const QStringList kSubjectTitles = {QStringLiteral("国語"), QStringLiteral("社会"), QStringLiteral("数学"),
                                    QStringLiteral("理科"), QStringLiteral("英語")};

// ---------------------------------------------------------------------------
// The made-up year-group

struct NamePart {
  const char16_t* kanji;
  const char16_t* reading;
};

// Readings without voiced or small kana, so that their order is the same in
// code-unit order and in the order of the syllabary. Several family names
// hold kanji found only in the code page 932 extensions (髙, 﨑, 德, 濵, 栁).
const NamePart kFamilies[] = {
    {u"佐藤", u"さとう"},   {u"髙橋", u"たかはし"}, {u"田中", u"たなか"},   {u"伊藤", u"いとう"},
    {u"中村", u"なかむら"}, {u"木村", u"きむら"},   {u"林", u"はやし"},     {u"森", u"もり"},
    {u"松本", u"まつもと"}, {u"井上", u"いのうえ"}, {u"山本", u"やまもと"}, {u"石川", u"いしかわ"},
    {u"斎藤", u"さいとう"}, {u"山﨑", u"やまさき"}, {u"宮﨑", u"みやさき"}, {u"髙木", u"たかき"},
    {u"德山", u"とくやま"}, {u"濵本", u"はまもと"}, {u"栁井", u"やない"},   {u"上野", u"うえの"},
    {u"西村", u"にしむら"}, {u"北村", u"きたむら"}, {u"原", u"はら"},       {u"菊池", u"きくち"},
    {u"大野", u"おおの"},   {u"今井", u"いまい"},   {u"村上", u"むらかみ"}, {u"岡本", u"おかもと"},
    {u"坂本", u"さかもと"}, {u"小松", u"こまつ"},   {u"野村", u"のむら"},   {u"平野", u"ひらの"},
    {u"市川", u"いちかわ"}, {u"荒木", u"あらき"},   {u"青木", u"あおき"},   {u"丸山", u"まるやま"},
};

const NamePart kGivens[] = {
    {u"結衣", u"ゆい"},   {u"陽翔", u"はると"},   {u"蓮", u"れん"},       {u"湊", u"みなと"},   {u"樹", u"いつき"},
    {u"悠真", u"ゆうま"}, {u"健太", u"けんた"},   {u"拓海", u"たくみ"},   {u"颯", u"はやて"},   {u"陽菜", u"ひな"},
    {u"美咲", u"みさき"}, {u"さくら", u"さくら"}, {u"葵", u"あおい"},     {u"凛", u"りん"},     {u"彩花", u"あやか"},
    {u"芽依", u"めい"},   {u"心春", u"こはる"},   {u"ひかり", u"ひかり"}, {u"優斗", u"ゆうと"}, {u"莉子", u"りこ"},
    {u"直樹", u"なおき"}, {u"真央", u"まお"},     {u"颯太", u"そうた"},   {u"優菜", u"ゆうな"}, {u"海斗", u"かいと"},
    {u"明里", u"あかり"}, {u"千尋", u"ちひろ"},   {u"七海", u"ななみ"},   {u"大翔", u"ひろと"}, {u"花", u"はな"},
    {u"菜月", u"なつき"}, {u"光", u"ひかる"},     {u"誠", u"まこと"},     {u"萌", u"もえ"},     {u"舞", u"まい"},
    {u"栞", u"しおり"},   {u"桃花", u"ももか"},   {u"智也", u"ともや"},   {u"美月", u"みつき"}, {u"春香", u"はるか"},
};

struct Student {
  int cls = 0;
  int number = 0;
  QString name;
  QString reading;
  std::array<int, kSubjects> test1{};  // kAbsent: no score
  std::array<int, kSubjects> test2{};
  int quiz = kAbsent;      // out of 10
  int markedSubject = -1;  // a first-test score typed with "点" after it

  // A first-test score as typed and kept in the table.
  QString typed1(int j) const {
    const QString text = test1[j] < 0 ? QString() : QString::number(test1[j]);
    return j == markedSubject ? text + u'点' : text;
  }

  int total1() const { return sum(test1); }
  int taken1() const {
    return static_cast<int>(std::count_if(test1.begin(), test1.end(), [](int s) { return s >= 0; }));
  }
  int total2() const { return sum(test2); }
  static int sum(const std::array<int, kSubjects>& a) {
    int t = 0;
    for (int s : a) t += std::max(s, 0);
    return t;
  }
};

struct YearGroup {
  QVector<int> sizes;         // students per class on the roster as first built
  QList<Student> roster;      // class and number order, before the transfer student
  Student transfer;           // joins class 2 after its last student
  QList<Student> students;    // roster order with the transfer student in place
  int transferRow = 0;        // table row of the transfer student
  Student late;               // joins class 4, after the first test, as the table's last row
  QList<Student> secondTerm;  // everyone after the second transfer
};

QString Text(const char16_t* s) { return QString::fromUtf16(s); }

int ScoreFor(QRandomGenerator& rng, int ability) {
  return std::clamp(ability + static_cast<int>(rng.bounded(41)) - 20, 0, 100);
}

Student MakeStudent(QRandomGenerator& rng, QSet<QString>& readingsUsed) {
  Student s;
  for (;;) {
    const NamePart& f = kFamilies[rng.bounded(static_cast<int>(std::size(kFamilies)))];
    const NamePart& g = kGivens[rng.bounded(static_cast<int>(std::size(kGivens)))];
    const QString reading = Text(f.reading) + Text(g.reading);
    if (readingsUsed.contains(reading)) continue;
    readingsUsed.insert(reading);
    s.name = Text(f.kanji) + QChar(0x3000) + Text(g.kanji);
    s.reading = reading;
    break;
  }
  const int ability = 30 + static_cast<int>(rng.bounded(65));
  for (int j = 0; j < kSubjects; ++j) {
    // Now and then a student misses a test.
    s.test1[j] = rng.bounded(45) == 0 ? kAbsent : ScoreFor(rng, ability);
    s.test2[j] = rng.bounded(60) == 0 ? kAbsent : ScoreFor(rng, ability);
  }
  s.quiz = rng.bounded(40) == 0 ? kAbsent : std::clamp(ability / 10 + static_cast<int>(rng.bounded(5)) - 2, 0, 10);
  return s;
}

YearGroup MakeYearGroup(quint32 seed) {
  QRandomGenerator rng(seed);
  QSet<QString> readings;
  YearGroup y;
  for (int k = 1; k <= kClasses; ++k) {
    const int size = 30 + static_cast<int>(rng.bounded(6));
    y.sizes << size;
    for (int n = 1; n <= size; ++n) {
      Student s = MakeStudent(rng, readings);
      s.cls = k;
      s.number = n;
      y.roster << s;
    }
  }
  y.transfer = MakeStudent(rng, readings);
  y.transfer.name = QStringLiteral("髙﨑　はるな");
  y.transfer.reading = QStringLiteral("たかさきはるな");
  y.transfer.cls = 2;
  y.transfer.number = y.sizes[1] + 1;
  y.students = y.roster;
  y.transferRow = y.sizes[0] + y.sizes[1] + 1;
  y.students.insert(y.transferRow - 1, y.transfer);
  // Perfect and zero scores reach the edge bands of the frequency rows.
  y.students[3].test1[2] = 100;
  y.students[5].test1[0] = 0;
  // One student misses a test and averages a quarter: 64.25 must show 64.3.
  Student& absent = y.students[7];
  absent.test1 = {64, 70, 58, kAbsent, 65};
  // Another one averages a half, which the year sum of the averages rounds
  // to the even neighbour as it adds it.
  y.students[9].test1 = {70, 71, kAbsent, 70, 71};
  // A score typed with its unit still counts as the number it begins with.
  y.students[12].test1[1] = 85;
  y.students[12].markedSubject = 1;

  y.late = MakeStudent(rng, readings);
  y.late.cls = kClasses;
  y.late.number = y.sizes[kClasses - 1] + 1;
  y.late.test1.fill(kAbsent);
  y.secondTerm = y.students;
  y.secondTerm << y.late;
  return y;
}

// ---------------------------------------------------------------------------
// Figures, computed here

QString TenthsText(qint64 tenths) {
  const qint64 whole = tenths / 10;
  return (whole == 0 ? QString() : QString::number(whole)) + u'.' + QString::number(tenths % 10);
}

// "###.0" of a / b tenths (a >= 0, b > 0): one decimal, halves away from
// zero, no digit before the point below 1. A half is a half in decimal even
// where a binary fraction cannot hold it (64.15 gives 64.2).
QString AverageOfTenths(qint64 a, qint64 b) {
  const qint64 q = a / b, r = a % b;
  return TenthsText(2 * r >= b ? q + 1 : q);
}

QString Average(qint64 sum, qint64 count) { return AverageOfTenths(sum * 10, count); }

qint64 RoundHalfEven(qint64 a, qint64 b) {
  const qint64 q = a / b, r = a % b;
  if (2 * r > b) return q + 1;
  if (2 * r < b) return q;
  return q + (q & 1);
}

// The whole number a score cell begins with ("85点" is 85, "" is 0).
qint64 LeadingWhole(const QString& text) {
  qsizetype digits = 0;
  while (digits < text.size() && text[digits].isDigit() && text[digits].unicode() < 128) ++digits;
  return text.left(digits).toLongLong();
}

QString Score(int s) { return s < 0 ? QString() : QString::number(s); }

// A student's average as the score screen writes it.
QString StudentAverage(const Student& s) {
  const int taken = s.taken1();
  return Average(s.total1(), taken == 0 ? 10000 : taken);
}

// Tenths of a cell written as "###.0".
qint64 TenthsOf(const QString& average) {
  const qsizetype dot = average.indexOf(u'.');
  return (dot <= 0 ? 0 : average.left(dot).toLongLong()) * 10 + average.mid(dot + 1).toLongLong();
}

QStringList RosterTitles() { return {QStringLiteral("組"), QStringLiteral("番"), QStringLiteral("生徒氏名")}; }

Rows RosterRows(const QList<Student>& students) {
  Rows rows{RosterTitles()};
  for (const Student& s : students) rows << QStringList{QString::number(s.cls), QString::number(s.number), s.name};
  return rows;
}

// The score table: roster, the five subjects, then "合計" and "平均" as asked.
Rows ScoreRows(const QList<Student>& students, bool totals, bool averages) {
  QStringList titles = RosterTitles() + kSubjectTitles;
  if (totals) titles << QStringLiteral("合計");
  if (averages) titles << QStringLiteral("平均");
  Rows rows{titles};
  for (const Student& s : students) {
    QStringList row{QString::number(s.cls), QString::number(s.number), s.name};
    for (int j = 0; j < kSubjects; ++j) row << s.typed1(j);
    if (totals) row << QString::number(s.total1());
    if (averages) row << StudentAverage(s);
    rows << row;
  }
  return rows;
}

// The first test's total as a table shows it: empty for a student who
// joined after it and whose row was inserted empty.
QString FirstTotalCell(const Student& s) { return s.taken1() == 0 ? QString() : QString::number(s.total1()); }

// The second test as another teacher's file: five subjects and their total.
Rows SecondTestRows(const QList<Student>& students) {
  Rows rows{RosterTitles() + kSubjectTitles + QStringList{QStringLiteral("合計")}};
  for (const Student& s : students) {
    QStringList row{QString::number(s.cls), QString::number(s.number), s.name};
    for (int score : s.test2) row << Score(score);
    row << QString::number(s.total2());
    rows << row;
  }
  return rows;
}

// The ranked year-group: students by average, best first; equal averages
// keep the roster order, as the program's sort is stable.
struct Ranked {
  Student student;
  int rank = 0;
  int level = 0;  // 5-level evaluation
};

QList<Ranked> RankYearGroup(const QList<Student>& students, int percent5, int percent4) {
  QList<Ranked> ranked;
  for (const Student& s : students) ranked << Ranked{s, 0, 0};
  std::stable_sort(ranked.begin(), ranked.end(), [](const Ranked& a, const Ranked& b) {
    return TenthsOf(StudentAverage(a.student)) > TenthsOf(StudentAverage(b.student));
  });
  for (int i = 0; i < ranked.size(); ++i) {
    ranked[i].rank = i + 1;
    if (i > 0 && ranked[i].student.total1() == ranked[i - 1].student.total1()) ranked[i].rank = ranked[i - 1].rank;
  }
  const qint64 n = ranked.size();
  const qint64 c5 = RoundHalfEven(n * percent5, 100), c4 = RoundHalfEven(n * percent4, 100);
  const qint64 counts[6] = {0, c5, c4, n - 2 * c5 - 2 * c4, c4, c5};  // from level 5 down
  int row = 0;
  for (int band = 1; band <= 5; ++band)
    for (qint64 i = 0; i < counts[band]; ++i) ranked[row++].level = 6 - band;
  return ranked;
}

QStringList RankedRow(const Ranked& r, bool withLevel) {
  const Student& s = r.student;
  QStringList row{QString::number(r.rank), QString::number(s.cls), QString::number(s.number), s.name};
  for (int j = 0; j < kSubjects; ++j) row << s.typed1(j);
  row << QString::number(s.total1()) << StudentAverage(s);
  if (withLevel) row << QString::number(r.level);
  return row;
}

QStringList RankedTitles(bool withLevel) {
  QStringList t = QStringList{QStringLiteral("順位")} + RosterTitles() + kSubjectTitles +
                  QStringList{QStringLiteral("合計"), QStringLiteral("平均")};
  if (withLevel) t << QStringLiteral("評価");
  return t;
}

// Next year's classes: students by the sum of both tests' totals, dealt
// 1, 2, 3, 4, 4, 3, 2, 1, 1, 2, ...; equal sums keep the roster order.
struct Placed {
  Student student;
  int newClass = 0;
  int combined = 0;
  int number = 0;  // in the new class
};

QList<Placed> DealNewClasses(const QList<Student>& students) {
  QList<Placed> placed;
  for (const Student& s : students) placed << Placed{s, 0, s.total1() + s.total2(), 0};
  std::stable_sort(placed.begin(), placed.end(),
                   [](const Placed& a, const Placed& b) { return a.combined > b.combined; });
  for (int i = 0; i < placed.size(); ++i) {
    const int q = i % (2 * kClasses);
    placed[i].newClass = q < kClasses ? q + 1 : 2 * kClasses - q;
  }
  return placed;
}

// Stable grouping by new class, as "新クラス順" and "組並べ替え" leave the list.
void GroupByNewClass(QList<Placed>& list) {
  std::stable_sort(list.begin(), list.end(), [](const Placed& a, const Placed& b) { return a.newClass < b.newClass; });
}

// Every new class ranked by the sum, numbered 1, 2, ... (grouped input).
void NumberByTotal(QList<Placed>& list) {
  for (int k = 1; k <= kClasses; ++k) {
    auto first = std::find_if(list.begin(), list.end(), [k](const Placed& p) { return p.newClass == k; });
    auto last = std::find_if(first, list.end(), [k](const Placed& p) { return p.newClass != k; });
    std::stable_sort(first, last, [](const Placed& a, const Placed& b) { return a.combined > b.combined; });
    int n = 0;
    for (auto it = first; it != last; ++it) it->number = ++n;
  }
}

void NumberByReading(QList<Placed>& list) {
  for (int k = 1; k <= kClasses; ++k) {
    auto first = std::find_if(list.begin(), list.end(), [k](const Placed& p) { return p.newClass == k; });
    auto last = std::find_if(first, list.end(), [k](const Placed& p) { return p.newClass != k; });
    std::stable_sort(first, last, [](const Placed& a, const Placed& b) {
      return QString::compare(a.student.reading, b.student.reading) < 0;
    });
    int n = 0;
    for (auto it = first; it != last; ++it) it->number = ++n;
  }
}

QStringList ClassListRow(const Placed& p, bool withReading) {
  QStringList row{QString::number(p.newClass), QString::number(p.number), p.student.name, QString::number(p.combined),
                  QString::number(p.student.cls)};
  if (withReading) row << p.student.reading;
  return row;
}

QStringList ClassListTitles() {
  return {QStringLiteral("新組"), QStringLiteral("番号"), QStringLiteral("生徒氏名"), QStringLiteral("合計"),
          QStringLiteral("旧組")};
}

// The class list: new class, number, name, sum, this year's class (and the reading).
Rows ClassListRows(const QList<Placed>& list, bool withReading) {
  Rows rows{ClassListTitles()};
  if (withReading) rows[0] << QStringLiteral("ふりがな");
  for (const Placed& p : list) rows << ClassListRow(p, withReading);
  return rows;
}

// The clean copy: class, number and name only.
Rows CleanCopyRows(const QList<Placed>& list) {
  Rows rows{RosterTitles()};
  for (const Placed& p : list)
    rows << QStringList{QString::number(p.newClass), QString::number(p.number), p.student.name};
  return rows;
}

// ---------------------------------------------------------------------------
// The program, with scripted dialogs and a printer that keeps every page

// Prints as the program prints (pages are really drawn) and remembers the
// cells of every table drawn, job by job.
class KeepingPrinter : public ScreenPrinter {
 public:
  struct Job {
    QList<Rows> tables;  // one per drawn table, in order
    int widgets = 0;
    int pages = 0;
  };
  QList<Job> jobs;

  void setPageSetup(int paper, int orientation) override { pages_.setPageSetup(paper, orientation); }
  void drawTable(const StudentTable& table, int x, int y) override {
    pages_.drawTable(table, x, y);
    current_.tables << Cells(table);
  }
  void drawWidget(QWidget* widget) override {
    pages_.drawWidget(widget);
    ++current_.widgets;
  }
  void newPage() override { pages_.newPage(); }
  void endJob() override {
    pages_.endJob();
    if (!current_.tables.isEmpty() || current_.widgets > 0) {
      current_.pages = pages_.lastJob().pageCount();
      jobs << current_;
    }
    current_ = Job{};
  }

 private:
  PagePrinter pages_;
  Job current_;
};

struct Program {
  ScriptedDialogs* dialogs = nullptr;
  KeepingPrinter* printer = nullptr;
  std::unique_ptr<Application> app;

  Program() {
    auto d = std::make_unique<ScriptedDialogs>();
    auto p = std::make_unique<KeepingPrinter>();
    dialogs = d.get();
    printer = p.get();
    app = std::make_unique<Application>(std::move(d), std::move(p));
    app->setScenarioMode(true);
    app->start();
    QApplication::processEvents();
  }

  QWidget* form(const char* name) { return app->form(QString::fromLatin1(name)); }
  template <typename T = QWidget>
  T* control(const char* formName, const char* name) {
    QWidget* f = form(formName);
    return f ? f->findChild<T*>(QString::fromUtf8(name)) : nullptr;
  }
  StudentTable* table(const char* formName) {
    auto* host = dynamic_cast<TableHost*>(form(formName));
    return host ? &host->table() : nullptr;
  }
  SharedState& state() { return app->state(); }
};

// A step of the year needs the steps before it to have succeeded.
#define NEEDS(step) \
  if (!done_.contains(QStringLiteral(step))) QSKIP("needs the step " step)

#define STEP(call)                          \
  do {                                      \
    call;                                   \
    if (QTest::currentTestFailed()) return; \
  } while (false)

// Table cells against the expected rows; the first difference is reported.
void CompareRows(const Rows& found, const Rows& expected, const char* what) {
  for (qsizetype r = 0; r < std::min(found.size(), expected.size()); ++r)
    QVERIFY2(found[r] == expected[r], qPrintable(QStringLiteral("%1, row %2: expected \"%3\", found \"%4\"")
                                                     .arg(QString::fromUtf8(what))
                                                     .arg(r)
                                                     .arg(expected[r].join(u'|'), found[r].join(u'|'))));
  QVERIFY2(found.size() == expected.size(), qPrintable(QStringLiteral("%1: expected %2 rows, found %3")
                                                           .arg(QString::fromUtf8(what))
                                                           .arg(expected.size())
                                                           .arg(found.size())));
}

void CompareFile(const QString& path, const Rows& expected) {
  const QByteArray bytes = ReadBytes(path);
  QVERIFY2(!bytes.isEmpty(), qPrintable(path + QStringLiteral(" was not written")));
  if (bytes == EncodeCp932(expected)) return;
  auto text = TextCodec::decodeCp932(bytes);
  QVERIFY2(text, qPrintable(path + QStringLiteral(" is not code page 932")));
  Rows found;
  for (const QString& line : text->split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
    QStringList cells = line.split(u',');
    for (QString& c : cells) c = c.mid(1, c.size() - 2);
    found << cells;
  }
  STEP(CompareRows(found, expected, qPrintable(path)));
  QFAIL(qPrintable(path + QStringLiteral(": cells as expected but not the bytes of a data file")));
}

}  // namespace

class SchoolYearTest : public QObject {
  Q_OBJECT

 private:
  YearGroup year_ = MakeYearGroup(20260401);
  QTemporaryDir dir_;
  std::unique_ptr<Program> p_;
  static constexpr int kPercent5 = 7, kPercent4 = 24;
  static constexpr int kMistyped = 40;  // the student whose name and a score are mistyped
  QList<Placed> placed_;                // the class list as it stands on the new class display
  QSet<QString> done_;                  // steps that succeeded

  QString path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }
  bool exists(const char* name) const { return QFileInfo::exists(path(name)); }
  int studentCount() const { return static_cast<int>(year_.students.size()); }
  void restart() { p_ = std::make_unique<Program>(); }

  // Every dialog met its answer, and every answer was asked for.
  void checkDialogs() {
    QVERIFY2(!p_->dialogs->hasFailure(), qPrintable(p_->dialogs->takeFailures().join(u'\n')));
    QVERIFY2(p_->dialogs->pendingDescription().isEmpty(),
             qPrintable(QStringLiteral("not asked for: ") + p_->dialogs->pendingDescription()));
  }

  // Presses a control as a teacher would: it must be shown and enabled.
  void press(const char* formName, const char* name) {
    auto* b = p_->control<QAbstractButton>(formName, name);
    QVERIFY2(b, qPrintable(QStringLiteral("%1.%2 does not exist").arg(formName, name)));
    QVERIFY2(b->window()->isVisible() && b->isVisibleTo(b->window()),
             qPrintable(QStringLiteral("%1.%2 is not shown").arg(formName, name)));
    QVERIFY2(b->isEnabled(), qPrintable(QStringLiteral("%1.%2 is disabled").arg(formName, name)));
    b->click();
    QApplication::processEvents();
    STEP(checkDialogs());
  }

  void answer(const QStringList& answers) {
    for (const QString& a : answers) p_->dialogs->queueAnswer(a);
  }
  void chooseFile(const char* name) { p_->dialogs->queueFile(path(name)); }

  // Types into an entry box and confirms with Return.
  void enter(const char* formName, const QString& text) {
    auto* edit = p_->control<QLineEdit>(formName, "Text1");
    QVERIFY2(edit && edit->isEnabled(), qPrintable(QStringLiteral("%1.Text1 is not ready").arg(formName)));
    edit->setText(text);
    QTest::keyClick(edit, Qt::Key_Return);
  }

  void expectShown(const char* formName) {
    QWidget* f = p_->form(formName);
    QVERIFY2(f && f->isVisible(), qPrintable(QStringLiteral("%1 is not shown").arg(formName)));
  }

  void expectMessage(const ScriptedDialogs::Mark& since, const QString& text) {
    const QStringList seen = p_->dialogs->messageTextsSince(since);
    QVERIFY2(seen.contains(text), qPrintable(QStringLiteral("expected the message \"%1\", found \"%2\"")
                                                 .arg(text, seen.join(QStringLiteral("\", \"")))));
  }

  void expectTable(const char* formName, const Rows& expected) {
    StudentTable* t = p_->table(formName);
    QVERIFY2(t, formName);
    STEP(CompareRows(Cells(*t), expected, formName));
  }

  // Saves the screen's table through its "保存" button into the named file.
  void save(const char* formName, const char* button, const char* file) {
    chooseFile(file);
    STEP(press(formName, button));
    QVERIFY2(exists(file), file);
  }

  // The jobs printed since `jobsBefore`; the last one has `pages` pages,
  // each holding one table (or the picture of a screen).
  void expectJob(qsizetype jobsBefore, int jobs, int pages) {
    QCOMPARE(p_->printer->jobs.size() - jobsBefore, qsizetype(jobs));
    const KeepingPrinter::Job& last = p_->printer->jobs.last();
    QCOMPARE(last.pages, pages);
    QCOMPARE(last.tables.size() + last.widgets, qsizetype(pages));
  }

  // Rows of one class out of a table laid out in class order.
  static Rows ClassPage(const Rows& table, int cls) {
    Rows page{table.first()};
    for (qsizetype r = 1; r < table.size(); ++r)
      if (table[r][0] == QString::number(cls)) page << table[r];
    return page;
  }

  void expectClassTable(const char* formName, int k, const Rows& expected) {
    auto* grid = p_->control<GridView>(formName, qPrintable(QStringLiteral("MSFlexGrid2[%1]").arg(k - 1)));
    QVERIFY2(grid, qPrintable(QStringLiteral("%1 has no class table %2").arg(formName).arg(k)));
    STEP(CompareRows(Cells(grid->table()), expected, "class table"));
  }

  // The student who joined after the first test, added through the
  // transfer dialog of the screen shown.
  void addLateTransfer(const char* formName, const char* button) {
    const auto mark = p_->dialogs->mark();
    STEP(press(formName, button));
    STEP(expectMessage(mark, QStringLiteral("スクロールして転入生の出席番号を確認してください。")));
    STEP(expectShown("Form20"));
    p_->control<QLineEdit>("Form20", "Text1")->setText(QString::number(year_.late.cls));
    p_->control<QLineEdit>("Form20", "Text2")->setText(QString::number(year_.late.number));
    p_->control<QLineEdit>("Form20", "Text3")->setText(year_.late.name);
    STEP(press("Form20", "Command1"));
  }

  // Loads a file into the score screen from the main menu.
  void openScores(const char* file) {
    restart();
    const auto mark = p_->dialogs->mark();
    chooseFile(file);
    STEP(press("Form1", "Command1"));
    STEP(expectMessage(mark, QStringLiteral("点数を入力するファイルを開いてください。")));
    STEP(expectShown("Form3"));
  }

  // The year-group and class figures appended below the students.
  void checkYearRows(const Rows& scores) {
    const StudentTable& t = *p_->table("Form3");
    const int r0 = static_cast<int>(scores.size());
    const int cols = static_cast<int>(scores.first().size());
    QCOMPARE(t.rows(), r0 + 4 * kClasses + 4);
    QCOMPARE(p_->state().RowCount, t.rows());
    QCOMPARE(p_->state().ModeCode, ModeCode::YearGroupRows);
    auto label = [&](int row, const QString& text) {
      QVERIFY2(t.text(row, 2) == text,
               qPrintable(QStringLiteral("row %1: expected \"%2\", found \"%3\"").arg(row).arg(text, t.text(row, 2))));
    };
    auto cell = [&](int row, int col, const QString& text) {
      QVERIFY2(
          t.text(row, col) == text,
          qPrintable(
              QStringLiteral("cell (%1, %2) \"%3\": expected \"%4\"").arg(row).arg(col).arg(t.text(row, col), text)));
    };
    STEP(label(r0 + 1, QStringLiteral("学年合計点")));
    STEP(label(r0 + 2, QStringLiteral("学年受験人数")));
    STEP(label(r0 + 3, QStringLiteral("学年平均点")));
    for (int k = 1; k <= kClasses; ++k) {
      STEP(label(r0 + 4 * k + 1, QStringLiteral("%1組合計点").arg(k)));
      STEP(label(r0 + 4 * k + 2, QStringLiteral("%1組受験数").arg(k)));
      STEP(label(r0 + 4 * k + 3, QStringLiteral("%1組平均点").arg(k)));
    }
    for (int row : {r0, r0 + 4, r0 + 8, r0 + 12, r0 + 16})
      for (int c = 0; c < cols; ++c) QVERIFY2(t.text(row, c).isEmpty(), qPrintable(QStringLiteral("row %1").arg(row)));

    for (int c = 3; c < cols; ++c) {
      const bool average = c == cols - 1;
      // Every cell in tenths; the year sum is rounded after every addition.
      qint64 yearSum = 0, yearCount = 0;
      std::array<qint64, kClasses> sum{}, count{};
      for (int r = 1; r < r0; ++r) {
        const QString& text = scores[r][c];
        const qint64 tenths = average ? TenthsOf(text) : LeadingWhole(text) * 10;
        yearSum = RoundHalfEven(yearSum * 10 + tenths, 10);
        const int k = scores[r][0].toInt() - 1;
        sum[k] += tenths;
        if (!text.isEmpty()) {
          ++yearCount;
          ++count[k];
        }
      }
      STEP(cell(r0 + 1, c, QString::number(yearSum)));
      STEP(cell(r0 + 2, c, QString::number(yearCount)));
      const qint64 yearAverage = RoundHalfEven(yearSum, yearCount);
      STEP(cell(r0 + 3, c, TenthsText(yearAverage * 10)));
      for (int k = 1; k <= kClasses; ++k) {
        const qint64 s = sum[k - 1];
        const QString sumText = s % 10 == 0 ? QString::number(s / 10) : TenthsText(s);
        STEP(cell(r0 + 4 * k + 1, c, sumText));
        STEP(cell(r0 + 4 * k + 2, c, QString::number(count[k - 1])));
        STEP(cell(r0 + 4 * k + 3, c, AverageOfTenths(s, count[k - 1])));
      }
    }
  }

 private slots:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    for (const Student& s : year_.secondTerm) QVERIFY2(TextCodec::encodeCp932(s.name + s.reading), qPrintable(s.name));
    QCOMPARE(studentCount(), std::accumulate(year_.sizes.begin(), year_.sizes.end(), 0) + 1);
    for (int size : year_.sizes) QVERIFY(size >= 30 && size <= 35);
    QCOMPARE(StudentAverage(year_.students[7]), QStringLiteral("64.3"));
    QCOMPARE(StudentAverage(year_.students[9]), QStringLiteral("70.5"));
    int absences = 0, extensionNames = 0;
    for (const Student& s : year_.students) {
      absences += kSubjects - s.taken1();
      if (s.name.contains(u'髙') || s.name.contains(QChar(0xFA11))) ++extensionNames;
    }
    QVERIFY(absences >= 3);
    QVERIFY(extensionNames >= 3);
    // Shared ranks occur, so that the ranking's tie rule is exercised.
    const QList<Ranked> ranked = RankYearGroup(year_.students, kPercent5, kPercent4);
    QVERIFY(std::adjacent_find(ranked.begin(), ranked.end(),
                               [](const Ranked& a, const Ranked& b) { return a.rank == b.rank; }) != ranked.end());
  }

  // The roster built from the menu, every name typed, saved and printed.
  void rosterAndNames() {
    restart();
    STEP(press("Form1", "Command3"));
    STEP(press("Form1", "Command5"));
    answer({QString::number(kClasses)});
    for (int size : year_.sizes) answer({QString::number(size)});
    STEP(press("Form1", "Command13"));
    STEP(expectShown("Form2"));
    Rows empty = RosterRows(year_.roster);
    for (qsizetype r = 1; r < empty.size(); ++r) empty[r][2].clear();
    STEP(expectTable("Form2", empty));

    auto mark = p_->dialogs->mark();
    STEP(press("Form2", "Command3"));
    // One name is mistyped on the way and put right afterwards.
    const Student& mistyped = year_.roster[kMistyped];
    for (const Student& s : year_.roster) STEP(enter("Form2", &s == &mistyped ? QStringLiteral("髙はし") : s.name));
    STEP(expectMessage(mark, QStringLiteral("このクラスの氏名入力が終わりました。まず、保存してください。")));
    QVERIFY(!p_->control<QLineEdit>("Form2", "Text1")->isEnabled());
    answer({QString::number(mistyped.cls), QString::number(mistyped.number)});
    STEP(press("Form2", "Command5"));
    STEP(enter("Form2", mistyped.name));
    STEP(press("Form2", "Command4"));
    STEP(expectTable("Form2", RosterRows(year_.roster)));
    STEP(save("Form2", "Command1", "year_roster.dat"));
    STEP(CompareFile(path("year_roster.dat"), RosterRows(year_.roster)));

    const qsizetype jobs = p_->printer->jobs.size();
    STEP(press("Form2", "Command10"));
    STEP(expectJob(jobs, 1, kClasses));
    for (int k = 1; k <= kClasses; ++k)
      STEP(CompareRows(p_->printer->jobs.last().tables[k - 1], ClassPage(RosterRows(year_.roster), k), "roster page"));
    STEP(press("Form2", "Command6"));
    STEP(expectShown("Form1"));
    done_ << QString::fromLatin1(QTest::currentTestFunction());
  }

  // A transfer student joins class 2 after its last student.
  void transferStudent() {
    NEEDS("rosterAndNames");
    restart();
    auto mark = p_->dialogs->mark();
    chooseFile("year_roster.dat");
    STEP(press("Form1", "Command2"));
    STEP(expectMessage(mark, QStringLiteral("転入生を追加するファイルを開いてください。")));
    STEP(press("Form2", "Command9"));
    STEP(expectMessage(mark, QStringLiteral("スクロールして転入生の出席番号を確認してください。")));
    STEP(expectShown("Form20"));
    const Student& t = year_.transfer;
    p_->control<QLineEdit>("Form20", "Text1")->setText(QString::number(t.cls));
    p_->control<QLineEdit>("Form20", "Text2")->setText(QString::number(t.number));
    p_->control<QLineEdit>("Form20", "Text3")->setText(t.name);
    STEP(press("Form20", "Command1"));
    QCOMPARE(p_->table("Form2")->text(year_.transferRow, 2), t.name);
    STEP(expectTable("Form2", RosterRows(year_.students)));
    STEP(save("Form2", "Command1", "year_roster.dat"));
    STEP(CompareFile(path("year_roster.dat"), RosterRows(year_.students)));
    done_ << QString::fromLatin1(QTest::currentTestFunction());
  }

  // The first test: five subjects, every score typed.
  void scoreEntry() {
    NEEDS("transferStudent");
    STEP(openScores("year_roster.dat"));
    STEP(press("Form3", "Command1"));
    STEP(expectShown("Form4"));
    STEP(press("Form4", "Command1"));
    STEP(expectShown("Form3"));
    QCOMPARE(p_->table("Form3")->rowTexts(0), ScoreRows(year_.students, false, false).first());

    for (int j = 0; j < kSubjects; ++j) {
      STEP(press("Form3", "Command2"));
      STEP(press("Form3", qPrintable(QStringLiteral("Option1[%1]").arg(j))));
      STEP(press("Form3", "Command14"));
      QCOMPARE(p_->state().EntryColumn, 3 + j);
      answer({QStringLiteral("1"), QStringLiteral("1")});
      STEP(press("Form3", "Command4"));
      const auto mark = p_->dialogs->mark();
      // A slip of the finger in one subject, corrected at that student.
      const Student& slip = year_.students[kMistyped];
      for (const Student& s : year_.students)
        STEP(enter("Form3", j == 2 && &s == &slip ? QStringLiteral("9") : s.typed1(j)));
      STEP(expectMessage(mark, QStringLiteral("点数入力が終わりました。まず、保存してください。")));
      if (j == 2) {
        answer({QString::number(slip.cls), QString::number(slip.number)});
        STEP(press("Form3", "Command4"));
        STEP(enter("Form3", slip.typed1(j)));
      }
    }
    STEP(expectTable("Form3", ScoreRows(year_.students, false, false)));
    STEP(save("Form3", "Command11", "year_test1.dat"));
    STEP(CompareFile(path("year_test1.dat"), ScoreRows(year_.students, false, false)));
    done_ << QString::fromLatin1(QTest::currentTestFunction());
  }

  // Totals and averages, then the year-group and class figures at the
  // bottom of the table, printed class by class with a page of their own.
  void totalsAveragesAndYearFigures() {
    NEEDS("scoreEntry");
    STEP(openScores("year_test1.dat"));
    STEP(press("Form3", "Command5"));
    STEP(expectTable("Form3", ScoreRows(year_.students, true, false)));
    STEP(press("Form3", "Command6"));
    const Rows scores = ScoreRows(year_.students, true, true);
    STEP(expectTable("Form3", scores));
    STEP(save("Form3", "Command11", "year_test1_avg.dat"));
    STEP(CompareFile(path("year_test1_avg.dat"), scores));

    STEP(press("Form3", "Command8"));
    STEP(checkYearRows(scores));

    const qsizetype jobs = p_->printer->jobs.size();
    STEP(press("Form3", "Command7"));
    STEP(expectJob(jobs, 1, kClasses + 1));
    const KeepingPrinter::Job& job = p_->printer->jobs.last();
    for (int k = 1; k <= kClasses; ++k) STEP(CompareRows(job.tables[k - 1], ClassPage(scores, k), "class page"));
    const Rows all = Cells(*p_->table("Form3"));
    Rows yearPage{all.first()};
    yearPage += all.mid(scores.size());
    STEP(CompareRows(job.tables[kClasses], yearPage, "year-group page"));
    done_ << QString::fromLatin1(QTest::currentTestFunction());
  }

  // Totals, then the frequency rows and their charts.
  void frequencyRowsAndCharts() {
    NEEDS("scoreEntry");
    STEP(openScores("year_test1.dat"));
    STEP(press("Form3", "Command5"));
    const Rows scores = ScoreRows(year_.students, true, false);
    STEP(press("Form3", "Command13"));

    const int r0 = static_cast<int>(scores.size());
    const int cols = static_cast<int>(scores.first().size());
    Rows expected = scores;
    for (int i = 0; i < 18; ++i) expected << QStringList(cols, QString());
    const QStringList subjectBands = {QStringLiteral("90点以上"), QStringLiteral("80点代"), QStringLiteral("70点代"),
                                      QStringLiteral("60点代"),   QStringLiteral("50点代"), QStringLiteral("40点代"),
                                      QStringLiteral("30点代"),   QStringLiteral("20点代"), QStringLiteral("10点代"),
                                      QStringLiteral("10点未満")};
    const QStringList totalBands = {QStringLiteral("400点以上"), QStringLiteral("300点代"), QStringLiteral("200点代"),
                                    QStringLiteral("100点代"), QStringLiteral("100点未満")};
    for (int i = 0; i < 10; ++i) expected[r0 + 1 + i][2] = subjectBands[i];
    for (int i = 0; i < 5; ++i) expected[r0 + 12 + i][2] = totalBands[i];
    for (int c = 3; c < cols - 1; ++c) {
      std::array<int, 10> bands{};
      for (const Student& s : year_.students) ++bands[std::min(std::max(s.test1[c - 3], 0) / 10, 9)];
      for (int b = 0; b < 10; ++b) expected[r0 + 10 - b][c] = QString::number(bands[b]);
    }
    std::array<int, 5> totals{};
    for (const Student& s : year_.students) ++totals[std::min(s.total1() / 100, 4)];
    for (int b = 0; b < 5; ++b) expected[r0 + 16 - b][cols - 1] = QString::number(totals[b]);
    STEP(expectTable("Form3", expected));
    QCOMPARE(p_->state().RowCount, static_cast<int>(expected.size()));

    // Class pages as one job, the frequency page as a job of its own.
    const qsizetype jobs = p_->printer->jobs.size();
    STEP(press("Form3", "Command7"));
    STEP(expectJob(jobs, 2, 1));
    const KeepingPrinter::Job& classes = p_->printer->jobs[jobs];
    QCOMPARE(classes.pages, kClasses);
    QCOMPARE(classes.tables.size(), qsizetype(kClasses));
    for (int k = 1; k <= kClasses; ++k) STEP(CompareRows(classes.tables[k - 1], ClassPage(scores, k), "class page"));
    Rows page{QStringList(cols, QString())};
    for (int c = 3; c < cols; ++c) page[0][c] = scores[0][c];
    for (int i = 1; i < 18; ++i) {
      QStringList row = expected[r0 + i];
      row[0].clear();
      row[1].clear();
      page << row;
    }
    STEP(CompareRows(p_->printer->jobs.last().tables.first(), page, "frequency page"));

    STEP(press("Form3", "Command15"));
    STEP(expectShown("Form19"));
    // The charts as drawn: one per subject in slots 0 to 4, the total in 5,
    // the lowest band first.
    for (int slot = 0; slot <= kSubjects; ++slot) {
      const bool total = slot == kSubjects;
      const int column = total ? cols - 1 : 3 + slot;
      auto* view = p_->control<BarChart>("Form19", qPrintable(QStringLiteral("MSChart1[%1]").arg(slot)));
      QVERIFY2(view, qPrintable(QStringLiteral("chart %1").arg(slot)));
      QCOMPARE(view->content().title, scores[0][column]);
      QList<int> counts;
      for (int b = 0; b < (total ? 5 : 10); ++b) counts << expected[r0 + (total ? 16 : 10) - b][column].toInt();
      QCOMPARE(view->content().values, counts);
    }
    const qsizetype before = p_->printer->jobs.size();
    STEP(press("Form19", "Command1"));
    STEP(expectJob(before, 1, 1));
    QCOMPARE(p_->printer->jobs.last().widgets, 1);
  }

  // Sorting, ranks, a 5-level evaluation, the ranked list forty a page and
  // the per-class ranking tables with their printing.
  void ranksEvaluationAndClassTables() {
    NEEDS("scoreEntry");
    STEP(openScores("year_test1.dat"));
    STEP(press("Form3", "Command5"));
    STEP(press("Form3", "Command6"));
    STEP(press("Form3", "Command9"));
    STEP(press("Form3", "Command10"));
    STEP(expectShown("Form5"));
    const QList<Ranked> ranked = RankYearGroup(year_.students, kPercent5, kPercent4);
    Rows table{RankedTitles(false)};
    for (const Ranked& r : ranked) table << RankedRow(r, false);
    STEP(expectTable("Form5", table));

    STEP(press("Form5", "Command4"));
    STEP(press("Form5", "Option1"));
    answer({QString::number(kPercent5), QString::number(kPercent4)});
    STEP(press("Form5", "Command5"));
    Rows evaluated{RankedTitles(true)};
    for (const Ranked& r : ranked) evaluated << RankedRow(r, true);
    STEP(expectTable("Form5", evaluated));

    const qsizetype jobs = p_->printer->jobs.size();
    STEP(press("Form5", "Command1"));
    const int pages = (studentCount() + 39) / 40;
    STEP(expectJob(jobs, 1, pages));
    for (int p = 0; p < pages; ++p) {
      Rows page{evaluated.first()};
      page += evaluated.mid(1 + 40 * p, 40);
      STEP(CompareRows(p_->printer->jobs.last().tables[p], page, "ranked page"));
    }

    STEP(press("Form5", "Command7"));
    STEP(expectShown("Form10"));
    auto* form10 = p_->form("Form10");
    for (int k = 1; k <= kClasses; ++k) {
      QList<Ranked> members;
      for (const Ranked& r : ranked)
        if (r.student.cls == k) members << r;
      std::stable_sort(members.begin(), members.end(),
                       [](const Ranked& a, const Ranked& b) { return a.student.number < b.student.number; });
      QStringList titles = RankedTitles(true).mid(1);
      titles << QStringLiteral("順位");
      Rows expected{titles};
      for (const Ranked& r : members) {
        QStringList row = RankedRow(r, true);
        row.append(row.takeFirst());
        expected << row;
      }
      auto* grid = form10->findChild<GridView*>(QStringLiteral("MSFlexGrid2[%1]").arg(k - 1));
      QVERIFY2(grid, "Form10.MSFlexGrid2");
      STEP(CompareRows(Cells(grid->table()), expected, "class ranking table"));
    }
    const qsizetype before = p_->printer->jobs.size();
    STEP(press("Form10", "Command1"));
    STEP(expectJob(before, 1, kClasses));
    for (int k = 1; k <= kClasses; ++k) {
      auto* grid = form10->findChild<GridView*>(QStringLiteral("MSFlexGrid2[%1]").arg(k - 1));
      STEP(CompareRows(p_->printer->jobs.last().tables[k - 1], Cells(grid->table()), "class ranking page"));
    }
    STEP(press("Form10", "Command2"));
    STEP(expectShown("Form5"));
    // "クラス順" left the ranked list in class order, rank order within a class.
    Rows byClass = evaluated.mid(1);
    std::stable_sort(byClass.begin(), byClass.end(),
                     [](const QStringList& a, const QStringList& b) { return a[1].toInt() < b[1].toInt(); });
    byClass.prepend(evaluated.first());
    STEP(expectTable("Form5", byClass));
    STEP(save("Form5", "Command2", "year_ranked.dat"));
    STEP(CompareFile(path("year_ranked.dat"), byClass));
  }

  // A subject file made from the first test, the second test's scores added
  // to it, the columns named, and a quiz typed into it.
  void subjectFileAndQuiz() {
    NEEDS("scoreEntry");
    // The second test comes as another teacher's file.
    QVERIFY(WriteBytes(path("year_test2.dat"), EncodeCp932(SecondTestRows(year_.secondTerm))));
    restart();
    STEP(press("Form1", "Command4"));
    auto mark = p_->dialogs->mark();
    chooseFile("year_test1.dat");
    STEP(press("Form1", "Command7"));
    STEP(expectMessage(mark, QStringLiteral("元のファイルを開いてください。")));
    STEP(expectShown("Form6"));
    STEP(press("Form6", "Command1"));
    STEP(press("Form6", "Option1[0]"));
    STEP(press("Form6", "Command3"));
    STEP(expectShown("Form7"));
    Rows subject{RosterTitles() + QStringList{QStringLiteral("国語")}};
    for (const Student& s : year_.students)
      subject << QStringList{QString::number(s.cls), QString::number(s.number), s.name, Score(s.test1[0])};
    STEP(expectTable("Form7", subject));

    // The student who joined after the first test is added before the
    // second test's scores, which list that student already.
    STEP(addLateTransfer("Form7", "Command2"));
    subject << QStringList{QString::number(year_.late.cls), QString::number(year_.late.number), year_.late.name,
                           QString()};
    STEP(expectTable("Form7", subject));

    mark = p_->dialogs->mark();
    chooseFile("year_test2.dat");
    STEP(press("Form7", "Command3"));
    STEP(expectMessage(mark, QStringLiteral("追加するテストのファイルを開いてください。")));
    STEP(expectShown("Form8"));
    STEP(press("Form8", "Command1"));
    STEP(press("Form8", "Option1[0]"));
    STEP(press("Form8", "Command2"));
    STEP(expectShown("Form9"));
    STEP(press("Form9", "Command1"));
    STEP(expectShown("Form7"));
    subject[0] << QString();
    for (int r = 1; r < subject.size(); ++r) subject[r] << Score(year_.secondTerm[r - 1].test2[0]);
    STEP(expectTable("Form7", subject));

    answer({QStringLiteral("1"), QStringLiteral("中間")});
    STEP(press("Form7", "Command5"));
    answer({QStringLiteral("2"), QStringLiteral("期末")});
    STEP(press("Form7", "Command5"));
    subject[0][3] = QStringLiteral("中間");
    subject[0][4] = QStringLiteral("期末");
    STEP(expectTable("Form7", subject));
    STEP(save("Form7", "Command1", "year_kokugo.dat"));
    STEP(CompareFile(path("year_kokugo.dat"), subject));

    restart();
    STEP(press("Form1", "Command4"));
    chooseFile("year_kokugo.dat");
    STEP(press("Form1", "Command15"));
    STEP(expectShown("Form18"));
    STEP(press("Form18", "Command2"));
    answer({QStringLiteral("1"), QStringLiteral("1")});
    STEP(press("Form18", "Command3"));
    mark = p_->dialogs->mark();
    for (const Student& s : year_.secondTerm) STEP(enter("Form18", Score(s.quiz)));
    STEP(expectMessage(mark, QStringLiteral("このクラスの点数入力が終わりました。まず、保存してください。")));
    answer({QStringLiteral("3"), QStringLiteral("小一")});
    STEP(press("Form18", "Command5"));
    subject[0] << QStringLiteral("小一");
    for (int r = 1; r < subject.size(); ++r) subject[r] << Score(year_.secondTerm[r - 1].quiz);
    STEP(expectTable("Form18", subject));
    STEP(save("Form18", "Command6", "year_kokugo_quiz.dat"));
    STEP(CompareFile(path("year_kokugo_quiz.dat"), subject));
    done_ << QString::fromLatin1(QTest::currentTestFunction());
  }

  // Next year's four classes from the sum of both tests, dealt in
  // serpentine order, shown class by class ranked by that sum.
  void classDivision() {
    NEEDS("totalsAveragesAndYearFigures");
    NEEDS("subjectFileAndQuiz");
    restart();
    STEP(press("Form1", "Command10"));
    auto mark = p_->dialogs->mark();
    chooseFile("year_test1_avg.dat");
    STEP(press("Form1", "Command11"));
    STEP(expectMessage(mark, QStringLiteral("転入生があれば、必ず追加しておいてください。")));
    STEP(expectShown("Form12"));
    STEP(addLateTransfer("Form12", "Command4"));
    STEP(press("Form12", "Command1"));
    STEP(press("Form12", "Option1[0]"));
    STEP(press("Form12", "Command3"));
    STEP(expectShown("Form13"));
    Rows division{RosterTitles() + QStringList{QStringLiteral("合計")}};
    for (const Student& s : year_.secondTerm)
      division << QStringList{QString::number(s.cls), QString::number(s.number), s.name, FirstTotalCell(s)};
    STEP(expectTable("Form13", division));

    chooseFile("year_test2.dat");
    STEP(press("Form13", "Command2"));
    STEP(expectShown("Form14"));
    STEP(press("Form14", "Command1"));
    STEP(press("Form14", "Option1[0]"));
    STEP(press("Form14", "Command3"));
    STEP(expectShown("Form15"));
    STEP(press("Form15", "Command1"));
    STEP(expectShown("Form13"));
    // The two test columns get names in kanji numerals before the totals.
    answer({QStringLiteral("1"), QStringLiteral("一回")});
    STEP(press("Form13", "Command1"));
    answer({QStringLiteral("2"), QStringLiteral("二回")});
    STEP(press("Form13", "Command1"));
    STEP(press("Form13", "Command3"));
    STEP(press("Form13", "Command4"));
    answer({QString::number(kClasses)});
    STEP(press("Form13", "Command5"));
    STEP(press("Form13", "Command6"));

    placed_ = DealNewClasses(year_.secondTerm);
    GroupByNewClass(placed_);
    Rows grouped{RosterTitles() + QStringList{QStringLiteral("一回"), QStringLiteral("二回"), QStringLiteral("合計"),
                                              QStringLiteral("組")}};
    for (const Placed& p : placed_) {
      const Student& s = p.student;
      grouped << QStringList{QString::number(s.cls),     QString::number(s.number),   s.name,
                             FirstTotalCell(s),          QString::number(s.total2()), QString::number(p.combined),
                             QString::number(p.newClass)};
    }
    STEP(expectTable("Form13", grouped));
    STEP(save("Form13", "Command7", "year_division.dat"));
    STEP(CompareFile(path("year_division.dat"), grouped));

    STEP(press("Form13", "Command9"));
    STEP(expectShown("Form16"));
    NumberByTotal(placed_);
    const Rows list = ClassListRows(placed_, false);
    STEP(expectTable("Form16", list));
    for (int k = 1; k <= kClasses; ++k) STEP(expectClassTable("Form16", k, ClassPage(list, k)));

    const qsizetype jobs = p_->printer->jobs.size();
    STEP(press("Form16", "Command1"));
    STEP(expectJob(jobs, 1, kClasses));
    for (int k = 1; k <= kClasses; ++k)
      STEP(CompareRows(p_->printer->jobs.last().tables[k - 1], ClassPage(list, k), "new class page"));
    done_ << QString::fromLatin1(QTest::currentTestFunction());
  }

  // One student moves from class 1 to class 3; the classes are ranked again.
  void swapOneStudent() {
    NEEDS("classDivision");
    answer({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
    STEP(press("Form16", "Command4"));
    QCOMPARE(p_->table("Form16")->text(2, 0), QStringLiteral("3"));
    QCOMPARE(p_->table("Form16")->text(2, 2), placed_[1].student.name);
    QVERIFY(!p_->control<QAbstractButton>("Form16", "Command1")->isEnabled());
    placed_[1].newClass = 3;
    STEP(press("Form16", "Command5"));
    GroupByNewClass(placed_);
    const Rows list = ClassListRows(placed_, false);
    STEP(expectTable("Form16", list));

    STEP(press("Form16", "Command6"));
    STEP(expectShown("Form17"));
    QList<Placed> ranked = placed_;
    NumberByTotal(ranked);
    STEP(expectTable("Form17", ClassListRows(ranked, false)));
    STEP(press("Form17", "Command5"));
    STEP(expectShown("Form16"));
    done_ << QString::fromLatin1(QTest::currentTestFunction());
  }

  // Every reading typed, then each new class numbered in reading order,
  // printed, and the clean copy of class, number and name printed.
  void readingsNameOrderAndCleanCopy() {
    NEEDS("swapOneStudent");
    answer({QStringLiteral("1"), QStringLiteral("1")});
    STEP(press("Form16", "Command7"));
    auto mark = p_->dialogs->mark();
    for (const Placed& p : placed_) STEP(enter("Form16", p.student.reading));
    STEP(expectMessage(mark, QStringLiteral("ふりがな入力が終わりました。まず、保存してください。")));
    const Rows list = ClassListRows(placed_, true);
    STEP(expectTable("Form16", list));
    STEP(save("Form16", "Command3", "year_classes.dat"));
    STEP(CompareFile(path("year_classes.dat"), list));

    STEP(press("Form16", "Command9"));
    STEP(expectShown("Form17"));
    QList<Placed> byName = placed_;
    NumberByReading(byName);
    const Rows named = ClassListRows(byName, true);
    STEP(expectTable("Form17", named));
    for (int k = 1; k <= kClasses; ++k) {
      Rows page = ClassPage(named, k);
      if (k > 1) page[0][5] = QStringLiteral("ひらがな");
      STEP(expectClassTable("Form17", k, page));
    }
    qsizetype jobs = p_->printer->jobs.size();
    STEP(press("Form17", "Command1"));
    STEP(expectJob(jobs, 1, kClasses));
    for (int k = 1; k <= kClasses; ++k) {
      Rows page = ClassPage(named, k);
      if (k > 1) page[0][5] = QStringLiteral("ひらがな");
      STEP(CompareRows(p_->printer->jobs.last().tables[k - 1], page, "name order page"));
    }

    STEP(press("Form17", "Command4"));
    STEP(expectShown("Form16"));
    const Rows clean = CleanCopyRows(byName);
    STEP(expectTable("Form16", clean));
    jobs = p_->printer->jobs.size();
    STEP(press("Form16", "Command1"));
    STEP(expectJob(jobs, 1, kClasses));
    for (int k = 1; k <= kClasses; ++k)
      STEP(CompareRows(p_->printer->jobs.last().tables[k - 1], ClassPage(clean, k), "clean copy page"));
    STEP(save("Form16", "Command3", "year_final.dat"));
    STEP(CompareFile(path("year_final.dat"), clean));
    done_ << QString::fromLatin1(QTest::currentTestFunction());
  }

  // Another day: the class list saved with its readings is opened from the
  // menu, put in name order again and finished the same way.
  void finishingFromTheSavedClassList() {
    NEEDS("readingsNameOrderAndCleanCopy");
    restart();
    STEP(press("Form1", "Command10"));
    chooseFile("year_classes.dat");
    STEP(press("Form1", "Command12"));
    STEP(expectShown("Form16"));
    QVERIFY(!p_->control<QAbstractButton>("Form16", "Command1")->isEnabled());
    const Rows list = ClassListRows(placed_, true);
    STEP(expectTable("Form16", list));

    STEP(press("Form16", "Command9"));
    STEP(expectShown("Form17"));
    QList<Placed> byName = placed_;
    NumberByReading(byName);
    const Rows named = ClassListRows(byName, true);
    STEP(expectTable("Form17", named));
    STEP(press("Form17", "Command4"));
    const Rows clean = CleanCopyRows(byName);
    STEP(expectTable("Form16", clean));
    const qsizetype jobs = p_->printer->jobs.size();
    STEP(press("Form16", "Command1"));
    STEP(expectJob(jobs, 1, kClasses));
    for (int k = 1; k <= kClasses; ++k)
      STEP(CompareRows(p_->printer->jobs.last().tables[k - 1], ClassPage(clean, k), "clean copy page"));
  }
};

QTEST_MAIN(SchoolYearTest)
#include "school_year_test.moc"
