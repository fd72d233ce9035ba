// The data file reader against hostile and damaged files: it must never
// crash, never load more than 999 rows or 23 columns, and never touch the
// screen's table when it refuses a file.

#include "model/files/data_file.h"
#include "model/files/text_codec.h"
#include "model/session/shared_state.h"
#include "model/table/grid_routines.h"
#include "model/table/numbers.h"
#include "support/table_fixtures.h"

#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using namespace gakunen;
using namespace gakunen::testing;

namespace {

constexpr int kNoError = -1;

// What one load gave: the error kind or kNoError, and the table.
struct Outcome {
  int error = kNoError;
  Rows cells;
  int columnCount = 0;
  int rowCount = 0;
  QString fault;  // empty when every rule holds
};

const Rows kSentinel = {{QStringLiteral("組"), QStringLiteral("番"), QStringLiteral("生徒氏名")},
                        {QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("そのまま")}};

QByteArray roster(int students, const QByteArray& lineEnd = "\r\n") {
  return EncodeCp932(MakeRows({students, 3, 3, 7}), true, lineEnd);
}

QByteArray rosterHeader() { return Cp932(QStringLiteral("\"組\",\"番\",\"生徒氏名\"\r\n")); }

// Checks what every load must satisfy and records the first fault found.
Outcome checkedOutcome(const std::optional<LoadError>& error, const SharedState& state, const TestHost& host) {
  Outcome out;
  out.cells = Cells(host.grid);
  out.columnCount = state.ColumnCount;
  out.rowCount = state.RowCount;
  const StudentTable& t = host.grid;
  if (error) {
    out.error = static_cast<int>(error->kind);
    if (out.cells != kSentinel) out.fault = QStringLiteral("a refused file changed the table");
    return out;
  }
  if (t.rows() < 1 || t.rows() > 999 || t.cols() < 1 || t.cols() > 23)
    out.fault = QStringLiteral("loaded %1 rows x %2 columns").arg(t.rows()).arg(t.cols());
  else if (t.rows() != state.RowCount || t.cols() != state.ColumnCount)
    out.fault = QStringLiteral("table %1x%2 but RowCount %3, ColumnCount %4")
                    .arg(t.rows())
                    .arg(t.cols())
                    .arg(state.RowCount)
                    .arg(state.ColumnCount);
  for (int c = 0; c < t.cols() && out.fault.isEmpty(); ++c)
    if (TextValue(t.text(0, c)) > 0) out.fault = QStringLiteral("title %1 reads as a number").arg(c);
  if (out.fault.isEmpty() && t.rows() > 1 && TextValue(t.text(1, 0)) <= 0)
    out.fault = QStringLiteral("first class cell is not a number");
  return out;
}

class ReaderRobustnessTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  int fileNumber_ = 0;

  // Through the real file path: a file on disk, LoadDataFile into a screen
  // that already holds a table.
  Outcome loadFromDisk(const QByteArray& bytes) {
    const QString path = dir_.filePath(QStringLiteral("in%1.dat").arg(fileNumber_++ % 8));
    if (!WriteBytes(path, bytes)) qFatal("cannot write %s", qPrintable(path));
    SharedState state;
    TestHost host;
    FillTable(host.grid, kSentinel);
    return checkedOutcome(LoadDataFile(state, host, path), state, host);
  }

  // Through text in memory: decode, openText, count, read, size.
  static Outcome loadFromText(const QByteArray& bytes) {
    SharedState state;
    TestHost host;
    FillTable(host.grid, kSentinel);
    auto text = TextCodec::decodeFile(bytes);
    if (!text) return checkedOutcome(LoadError{LoadError::Kind::NotText, {}, {}}, state, host);
    DataFileChannel channel;
    channel.openText(*text);
    if (auto e = CountHeaderColumns(state, channel)) return checkedOutcome(e, state, host);
    if (auto problem = channel.checkLines(state.ColumnCount))
      return checkedOutcome(LoadError{LoadError::Kind::BadLine, {}, {}, problem}, state, host);
    channel.rewind();
    ReadTableFromFile(state, host, channel);
    channel.close();
    SetGridColumns(state, host);
    SetGridRows(state, host);
    return checkedOutcome(std::nullopt, state, host);
  }

 private slots:
  void initTestCase() { QVERIFY(dir_.isValid()); }

  void hostileFiles_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("error");  // LoadError::Kind, or kNoError
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("cols");

    const int notCounted = static_cast<int>(LoadError::Kind::HeaderNotCounted);
    const int tooMany = static_cast<int>(LoadError::Kind::TooManyTitles);
    const int notText = static_cast<int>(LoadError::Kind::NotText);
    const int badLine = static_cast<int>(LoadError::Kind::BadLine);
    const QByteArray header = rosterHeader();

    QTest::newRow("empty file") << QByteArray() << notCounted << 0 << 0;
    QTest::newRow("blanks and line ends only") << QByteArray("  \r\n\t\r\n\n") << notCounted << 0 << 0;
    QTest::newRow("header only") << header << notCounted << 0 << 0;
    QTest::newRow("header only, no line end") << header.chopped(2) << notCounted << 0 << 0;
    QTest::newRow("lone quote") << QByteArray("\"") << notCounted << 0 << 0;
    QTest::newRow("quotes only") << QByteArray(5001, '"') << notCounted << 0 << 0;
    QTest::newRow("commas only") << QByteArray(5000, ',') << tooMany << 0 << 0;
    QTest::newRow("first field a number") << QByteArray("\"1\",\"2\"\r\n") << notCounted << 0 << 0;
    QTest::newRow("NUL bytes only") << QByteArray(300, '\0') << notCounted << 0 << 0;
    QTest::newRow("UTF-8 byte-order mark only") << QByteArray("\xEF\xBB\xBF") << notCounted << 0 << 0;

    QTest::newRow("lead byte 0x81 at the end") << header + "\"1\",\"1\",\"\x81" << notText << 0 << 0;
    QTest::newRow("lead byte before a blank") << header + "\"1\",\"1\",\"\x81 \"\r\n" << notText << 0 << 0;
    QTest::newRow("bytes 0xFD 0xFE 0xFF") << header + "\"1\",\"1\",\"\xFD\xFE\xFF\"\r\n" << notText << 0 << 0;
    QTest::newRow("unassigned pair 0x85 0x40") << header + "\"1\",\"1\",\"\x85\x40\"\r\n" << notText << 0 << 0;
    QTest::newRow("byte-order mark, then bad UTF-8")
        << QByteArray("\xEF\xBB\xBF\"\xE7\xB5\x84\",\"\xFF\"\r\n\"1\",\"1\"\r\n") << notText << 0 << 0;

    QTest::newRow("NUL inside a name") << header + QByteArray("\"1\",\"1\",\"a\0b\"\r\n", 16) << kNoError << 2 << 3;
    QTest::newRow("unterminated quote at the end")
        << header + Cp932(QStringLiteral("\"1\",\"1\",\"髙橋")) << badLine << 0 << 0;
    QTest::newRow("last line one field short") << header + "\"1\",\"1\",\"a\"\r\n\"1\",\"2\"\r\n" << badLine << 0 << 0;
    QTest::newRow("header and one class cell") << header + "\"1\"" << badLine << 0 << 0;

    QStringList titles = ColumnTitles(23);
    QByteArray wide = EncodeCp932({titles, QStringList(23, QStringLiteral("1"))});
    QTest::newRow("23 titles") << wide << kNoError << 2 << 23;
    titles.append(QStringLiteral("追加"));
    QTest::newRow("24 titles") << EncodeCp932({titles, QStringList(24, QStringLiteral("1"))}) << tooMany << 0 << 0;
    QTest::newRow("5000 titles, no number")
        << EncodeCp932({QStringList(5000, QStringLiteral("見出し"))}) << tooMany << 0 << 0;
    QTest::newRow("5000 titles, then a number")
        << EncodeCp932({QStringList(5000, QStringLiteral("見出し")), {QStringLiteral("1")}}) << tooMany << 0 << 0;

    QByteArray oneLine = header;
    for (int i = 0; i < 100000; ++i) oneLine += i ? ",\"1\"" : "\"1\"";
    QTest::newRow("100 000 fields on one line") << oneLine + "\r\n" << badLine << 0 << 0;
    QTest::newRow("2 000 lines") << roster(1999) << kNoError << 999 << 3;
    QTest::newRow("998 students") << roster(998) << kNoError << 999 << 3;
    QTest::newRow("997 students") << roster(997) << kNoError << 998 << 3;
  }

  void hostileFiles() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, error);
    QFETCH(int, rows);
    QFETCH(int, cols);

    const Outcome disk = loadFromDisk(bytes);
    QVERIFY2(disk.fault.isEmpty(), qPrintable(disk.fault));
    QCOMPARE(disk.error, error);
    if (error == kNoError) {
      QCOMPARE(disk.cells.size(), rows);
      QCOMPARE(disk.cells.first().size(), cols);
    }
    const Outcome text = loadFromText(bytes);
    QCOMPARE(text.error, disk.error);
    QCOMPARE(text.cells, disk.cells);
  }

  // The cells themselves, where a damaged file still loads.
  void damagedCells_data() {
    QTest::addColumn<QByteArray>("body");  // after a roster header
    QTest::addColumn<Rows>("students");

    QTest::newRow("NUL kept inside a name")
        << QByteArray("\"1\",\"1\",\"a\0b\"\r\n", 16) << Rows{{"1", "1", QString::fromUtf16(u"a\0b", 3)}};
    QTest::newRow("bare fields lose outer blanks") << QByteArray(" 1 ,\t1\t, a b \r\n") << Rows{{"1", "1", "a b"}};
    QTest::newRow("a lone CR ends a line")
        << QByteArray("\"1\",\"1\",\"a\"\r\"1\",\"2\",\"b\"\r") << Rows{{"1", "1", "a"}, {"1", "2", "b"}};
  }

  void damagedCells() {
    QFETCH(QByteArray, body);
    QFETCH(Rows, students);
    const Outcome o = loadFromDisk(rosterHeader() + body);
    QCOMPARE(o.error, kNoError);
    Rows expected = {{QStringLiteral("組"), QStringLiteral("番"), QStringLiteral("生徒氏名")}};
    expected += students;
    QCOMPARE(o.cells, expected);
  }

  // A line that would be read shifted, cut or merged into the titles is
  // refused with its line (and field), in a small file and near the end of
  // a full one; the table and the shared counts stay as they were.
  void malformedLines_data() {
    QTest::addColumn<int>("students");
    QTest::addColumn<int>("line");  // the damaged line; 0 for the last
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("field");
    using K = LineProblem::Kind;
    struct Case {
      const char* name;
      int line;  // in the small file; inner lines move near the end of the large one
      QString text;
      K kind;
      int field;
    };
    const QList<Case> cases = {
        {"unterminated quote", 4, QStringLiteral("\"1\",\"3\",\"佐藤　花子"), K::UnclosedQuote, 3},
        {"text after a closing quote", 5, QStringLiteral("\"1\",\"4\",\"佐藤\"花子\""), K::TextAfterQuote, 3},
        {"one field too many", 6, QStringLiteral("\"1\",\"5\",\"山田\",\"80\""), K::FieldCount, 0},
        {"one field short", 7, QStringLiteral("\"1\",\"6\""), K::FieldCount, 0},
        {"blank line", 8, QString(), K::BlankLine, 0},
        {"line of blanks", 9, QStringLiteral("  \t "), K::BlankLine, 0},
        {"last line short", 0, QStringLiteral("\"3\",\"9\""), K::FieldCount, 0},
        {"quote open on the last line", 0, QStringLiteral("\"3\",\"9\",\"鈴木"), K::UnclosedQuote, 3},
        {"first class 0", 2, QStringLiteral("\"0\",\"1\",\"青木\""), K::FirstClass, 1},
        {"first class negative", 2, QStringLiteral("\"-2\",\"1\",\"青木\""), K::FirstClass, 1},
        {"first class in kanji", 2, QStringLiteral("\"一\",\"1\",\"青木\""), K::FirstClass, 1},
        {"title beginning with a digit", 1, QStringLiteral("\"組\",\"1番\",\"生徒氏名\""), K::NumericTitle, 2},
    };
    for (const int students : {12, 998})
      for (const Case& c : cases) {
        const bool inner = c.line > 2;
        const int line = c.line == 0 ? students + 1 : inner && students > 12 ? c.line + students - 20 : c.line;
        QTest::addRow("%s, %d students", c.name, students)
            << students << line << c.text << static_cast<int>(c.kind) << c.field;
      }
  }

  void malformedLines() {
    QFETCH(int, students);
    QFETCH(int, line);
    QFETCH(QString, text);
    QFETCH(int, kind);
    QFETCH(int, field);
    QList<QByteArray> lines = EncodeCp932(MakeRows({students, 3, 3, 5})).split('\n');
    lines[line - 1] = Cp932(text) + '\r';
    const QString path = dir_.filePath(QStringLiteral("damaged.dat"));
    QVERIFY(WriteBytes(path, lines.join('\n')));

    SharedState state;
    state.ColumnCount = 7;
    state.RowCount = 5;
    state.RowCells[0] = QStringLiteral("前の値");
    const SharedState before = state;
    TestHost host;
    FillTable(host.grid, kSentinel);
    const auto error = LoadDataFile(state, host, path);
    QVERIFY(error);
    QCOMPARE(error->kind, LoadError::Kind::BadLine);
    QVERIFY(error->line);
    QCOMPARE(static_cast<int>(error->line->kind), kind);
    QCOMPARE(error->line->line, line);
    if (field > 0) QCOMPARE(error->line->field, field);
    const QString message = error->message();
    QVERIFY2(message.contains(QStringLiteral("damaged.dat」の%1行目").arg(line)), qPrintable(message));
    QCOMPARE(Cells(host.grid), kSentinel);
    QCOMPARE(state.ColumnCount, before.ColumnCount);
    QCOMPARE(state.RowCount, before.RowCount);
    QCOMPARE(state.RowCells, before.RowCells);
  }

  // Well-formed files read alike whatever ends their lines, and whatever
  // blank lines, blanks or NUL padding follow the table: none of it is a row.
  void lineEndsReadAlike_data() {
    QTest::addColumn<QByteArray>("lineEnd");
    QTest::addColumn<QByteArray>("tail");
    QTest::newRow("LF") << QByteArray("\n") << QByteArray();
    QTest::newRow("CR") << QByteArray("\r") << QByteArray();
    QTest::newRow("CR LF, no line end at the last line") << QByteArray("\r\n") << QByteArray("-");
    QTest::newRow("blank lines after the table") << QByteArray("\r\n") << QByteArray("\r\n  \r\n\t\n");
    QTest::newRow("more line ends than columns") << QByteArray("\r\n") << QByteArray("\r\n").repeated(30);
    QTest::newRow("NUL padding") << QByteArray("\r\n") << QByteArray(64, '\0');
  }

  void lineEndsReadAlike() {
    QFETCH(QByteArray, lineEnd);
    QFETCH(QByteArray, tail);
    const Rows rows = MakeRows({40, 2, 23, 11});
    QByteArray bytes = EncodeCp932(rows, true, lineEnd);
    if (tail == "-")
      bytes.chop(2);
    else
      bytes += tail;
    const Outcome o = loadFromDisk(bytes);
    QCOMPARE(o.error, kNoError);
    QCOMPARE(o.cells, rows);
  }

  void unopenableFiles() {
    SharedState state;
    TestHost host;
    FillTable(host.grid, kSentinel);
    // Opening a FIFO for reading would wait for a writer for ever.
    const QString fifo = dir_.filePath(QStringLiteral("fifo.dat"));
    QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    const QList<std::pair<QString, QString>> places = {
        {dir_.filePath(QStringLiteral("missing.dat")), QStringLiteral("（ファイルがありません）")},
        {dir_.path(), QStringLiteral("（ファイルではなくフォルダです）")},
        {QString(), QString()},
        {fifo, QStringLiteral("（通常のファイルではありません）")},
        {QStringLiteral("/dev/zero"), QStringLiteral("（通常のファイルではありません）")}};
    for (const auto& [path, reason] : places) {
      auto e = LoadDataFile(state, host, path);
      QVERIFY2(e, qPrintable(path));
      QCOMPARE(e->kind, LoadError::Kind::CannotOpen);
      QVERIFY2(e->message().endsWith(QStringLiteral("を開けませんでした。") + reason), qPrintable(e->message()));
      QCOMPARE(Cells(host.grid), kSentinel);
    }
  }

  // Thousands of generated inputs: random bytes, damaged data files, files
  // with odd cell texts and soups of the tokens the reader treats specially.
  void generatedInputs() {
    QRandomGenerator rng(20240601);
    const QList<QByteArray> sources = {roster(30), EncodeCp932(MakeRows({25, 2, 16, 3})),
                                       EncodeCp932(MakeRows({12, 3, 9, 5}), false, "\n")};
    const QList<QByteArray> tokens = {"\"",
                                      ",",
                                      "\r\n",
                                      "\n",
                                      "\r",
                                      "1",
                                      "0",
                                      "15",
                                      "-3",
                                      " ",
                                      "\t",
                                      "&H1F",
                                      "&O7",
                                      "&",
                                      "\0",
                                      "\x81",
                                      Cp932(QStringLiteral("組")),
                                      Cp932(QStringLiteral("髙")),
                                      Cp932(QStringLiteral("﨑")),
                                      "\xEF\xBB\xBF",
                                      "\xFF",
                                      "\xE7\xB5\x84",
                                      ".5",
                                      "1e3"};

    int loaded = 0, refused = 0;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 3000; ++i) {
      QByteArray bytes;
      switch (i % 4) {
        case 0: {  // random bytes
          bytes.resize(rng.bounded(400));
          for (char& b : bytes) b = static_cast<char>(rng.bounded(256));
          break;
        }
        case 1: {  // a real file, damaged
          bytes = sources[rng.bounded(sources.size())];
          const int edits = 1 + rng.bounded(12);
          for (int k = 0; k < edits && !bytes.isEmpty(); ++k) {
            const int at = rng.bounded(bytes.size());
            switch (rng.bounded(4)) {
              case 0:
                bytes[at] = static_cast<char>(rng.bounded(256));
                break;
              case 1:
                bytes.remove(at, 1 + rng.bounded(20));
                break;
              case 2:
                bytes.insert(at, tokens[rng.bounded(tokens.size())]);
                break;
              case 3:
                bytes.truncate(at);
                break;
            }
          }
          break;
        }
        case 2: {  // a real file with tokens typed into its cells, which may still load
          bytes = sources[rng.bounded(sources.size())];
          const int edits = 1 + rng.bounded(6);
          for (int k = 0; k < edits; ++k) {
            const int at = rng.bounded(bytes.size());
            const qsizetype open = bytes.indexOf(",\"", at);
            if (open >= 0) bytes.insert(open + 2, tokens[rng.bounded(tokens.size())]);
          }
          break;
        }
        default: {  // token soup, sometimes long
          const int count = rng.bounded(8) == 0 ? 3000 : rng.bounded(200);
          for (int k = 0; k < count; ++k) bytes += tokens[rng.bounded(tokens.size())];
          break;
        }
      }
      const Outcome disk = loadFromDisk(bytes);
      const Outcome text = loadFromText(bytes);
      QVERIFY2(
          disk.fault.isEmpty(),
          qPrintable(QStringLiteral("input %1 (%2): %3").arg(i).arg(disk.fault, QString::fromLatin1(bytes.toHex()))));
      QCOMPARE(text.error, disk.error);
      QCOMPARE(text.cells, disk.cells);
      ++(disk.error == kNoError ? loaded : refused);
    }
    // Both outcomes must have been exercised for the run to mean anything.
    QVERIFY(loaded > 300);
    QVERIFY(refused > 300);
    qInfo("%d loaded, %d refused in %lld ms", loaded, refused, static_cast<long long>(clock.elapsed()));
  }

  // The second channel stops its count at a field of exactly 1.
  void secondChannelCount_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("error");
    QTest::addColumn<int>("columns");
    QTest::newRow("stops at 1, not at 2") << QByteArray("\"a\",\"2\",\"b\"\r\n\"1\"") << kNoError << 3;
    QTest::newRow("1.0 is 1") << QByteArray("\"a\",\"b\",\"c\",\"1.0\"") << kNoError << 3;
    QTest::newRow("no 1 at all") << QByteArray("\"a\",\"2\",\"3\"\r\n") << int(LoadError::Kind::HeaderNotCounted) << 0;
    QTest::newRow("24 fields before a 1") << QByteArray("\"2\"") + QByteArray(",\"x\"").repeated(23) + ",\"1\""
                                          << int(LoadError::Kind::TooManyTitles) << 0;
    QTest::newRow("first field 1") << QByteArray("\"1\",\"a\"") << int(LoadError::Kind::HeaderNotCounted) << 0;
  }

  void secondChannelCount() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, error);
    QFETCH(int, columns);
    SharedState state;
    DataFileChannel second;
    second.openText(QString::fromLatin1(bytes));
    auto e = CountHeaderColumnsSecond(state, second);
    QCOMPARE(e ? static_cast<int>(e->kind) : kNoError, error);
    if (!e) QCOMPARE(state.ColumnCount, columns);
  }
};

}  // namespace

QTEST_GUILESS_MAIN(ReaderRobustnessTest)
#include "reader_robustness_test.moc"
