#include "model/files/data_file.h"
#include "model/files/text_codec.h"
#include "model/session/shared_state.h"
#include "model/table/numbers.h"
#include "support/table_fixtures.h"

#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

using namespace gakunen;
using namespace gakunen::testing;

namespace {

// Reads a whole file's text through the load sequence into a fresh host.
struct Loaded {
  std::optional<LoadError> error;
  SharedState state;
  TestHost host;
};

void load(Loaded& out, const QString& path) { out.error = LoadDataFile(out.state, out.host, path); }

QStringList fields(const QString& text) {
  DataFileChannel ch;
  ch.openText(text);
  QStringList out;
  while (auto f = ch.readField()) out << *f;
  return out;
}

}  // namespace

class DataFileTest : public QObject {
  Q_OBJECT
  QTemporaryDir dir_;
  QString path(const QString& name) { return dir_.filePath(name); }

 private slots:
  void fieldRule_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("quoted") << "\"組\",\"番\"\r\n" << QStringList{"組", "番"};
    QTest::newRow("bare trimmed") << " 1 , 2 \r\n" << QStringList{"1", "2"};
    QTest::newRow("comma inside quotes") << "\"a,b\",c" << QStringList{"a,b", "c"};
    QTest::newRow("empty quoted") << "\"\",\"\"\r\n" << QStringList{"", ""};
    QTest::newRow("line end separates") << "a\r\nb\nc" << QStringList{"a", "b", "c"};
    QTest::newRow("blanks kept inside quotes") << "\" 山田 \"" << QStringList{" 山田 "};
    QTest::newRow("text after closing quote dropped") << "\"a\"x,b" << QStringList{"a", "b"};
    QTest::newRow("unterminated quote") << "\"abc" << QStringList{"abc"};
    QTest::newRow("empty") << "" << QStringList{};
  }
  void fieldRule() {
    QFETCH(QString, text);
    QFETCH(QStringList, fields);
    QCOMPARE(::fields(text), fields);
  }

  void headerCount_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("second");
    QTest::addColumn<int>("columns");  // -1: cannot be counted
    QTest::newRow("roster") << "\"組\",\"番\",\"生徒氏名\"\r\n\"1\",\"1\",\"\"\r\n" << false << 3;
    QTest::newRow("title with digit ends early") << "\"組\",\"2年\",\"氏名\"\r\n\"1\"" << false << 1;
    QTest::newRow("zero title counts as title") << "\"組\",\"0点\",\"氏名\"\r\n\"1\"" << false << 3;
    QTest::newRow("header only") << "\"組\",\"番\",\"生徒氏名\"\r\n" << false << -1;
    QTest::newRow("first field numeric") << "\"1\",\"2\"" << false << -1;
    QTest::newRow("second channel stops at 1 only") << "\"組\",\"番\",\"氏名\"\r\n\"2\",\"1\"" << true << 4;
    QTest::newRow("second channel roster") << "\"組\",\"番\",\"氏名\"\r\n\"1\",\"1\"" << true << 3;
  }
  void headerCount() {
    QFETCH(QString, text);
    QFETCH(bool, second);
    QFETCH(int, columns);
    SharedState state;
    DataFileChannel ch;
    ch.openText(text);
    const auto error = second ? CountHeaderColumnsSecond(state, ch) : CountHeaderColumns(state, ch);
    QCOMPARE(!error.has_value(), columns >= 0);
    if (columns >= 0) QCOMPARE(state.ColumnCount, columns);
  }

  void moreThan23TitlesRefused() {
    QStringList titles;
    for (int i = 0; i < 24; ++i) titles << QStringLiteral("\"列\"");
    SharedState state;
    DataFileChannel ch;
    ch.openText(titles.join(u',') + QStringLiteral("\r\n\"1\""));
    const auto error = CountHeaderColumns(state, ch);
    QVERIFY(error);
    QCOMPARE(error->kind, LoadError::Kind::TooManyTitles);
  }

  void rosterRoundTrip() {
    const Rows rows = {{"組", "番", "生徒氏名"}, {"1", "1", "髙橋　一郎"}, {"1", "2", ""}, {"2", "1", "山﨑　花子"}};
    TestHost host;
    FillTable(host.grid, rows);
    SharedState state;
    DescribeTable(state, host.grid);
    QVERIFY(!WriteTableToFile(state, host, path("roster.dat")));
    const QByteArray bytes = ReadBytes(path("roster.dat"));
    QCOMPARE(bytes, EncodeCp932(rows));
    QVERIFY(bytes.startsWith(Cp932("\"組\",\"番\",\"生徒氏名\"\r\n")));

    Loaded back;
    load(back, path("roster.dat"));
    QVERIFY(!back.error);
    QCOMPARE(Cells(back.host.grid), rows);
    QCOMPARE(back.state.RowCount, 4);
    QCOMPARE(back.state.ColumnCount, 3);
    QCOMPARE(back.host.grid.colWidth(2), 1300);
    QVERIFY(!back.host.grid.isModified());
  }

  void extensionCharactersByteForByte() {
    // NEC and IBM extensions and the code page's own forms of ～ and －.
    const Rows rows = {{"組", "番", "生徒氏名", "備考"}, {"1", "1", "髙橋", "①Ⅱ㈱"}, {"1", "2", "山﨑", "～－∵￢"}};
    const QByteArray original = EncodeCp932(rows);
    QVERIFY(WriteBytes(path("ext.dat"), original));
    Loaded back;
    load(back, path("ext.dat"));
    QVERIFY(!back.error);
    QCOMPARE(back.host.grid.text(1, 2), QStringLiteral("髙橋"));
    QVERIFY(!WriteTableToFile(back.state, back.host, path("ext2.dat")));
    QCOMPARE(ReadBytes(path("ext2.dat")), original);
  }

  void table23ColumnsRoundTrip() {
    TestHost host;
    FillTable(host.grid, MakeRows({40, 2, 23, 7}));
    SharedState state;
    DescribeTable(state, host.grid);
    QVERIFY(!WriteTableToFile(state, host, path("wide.dat")));
    Loaded back;
    load(back, path("wide.dat"));
    QVERIFY(!back.error);
    QCOMPARE(Cells(back.host.grid), Cells(host.grid));
  }

  // A table keeps 998 students; the rows past them are counted for the
  // teacher. A last line cut short is refused, not dropped without a word.
  void rowLimitAndShortLastLine_data() {
    QTest::addColumn<int>("students");
    QTest::addColumn<bool>("shortLastLine");
    QTest::addColumn<int>("rows");  // 0: refused
    QTest::addColumn<int>("unread");
    QTest::newRow("998 students") << 998 << false << 999 << 0;
    QTest::newRow("999 students cut") << 999 << false << 999 << 1;
    QTest::newRow("1500 students cut") << 1500 << false << 999 << 502;
    QTest::newRow("short last line refused") << 10 << true << 0 << 0;
    QTest::newRow("short last line past the limit refused") << 1200 << true << 0 << 0;
  }
  void rowLimitAndShortLastLine() {
    QFETCH(int, students);
    QFETCH(bool, shortLastLine);
    QFETCH(int, rows);
    QFETCH(int, unread);
    Rows data = MakeRows({students, 4, 3, 3});
    QByteArray bytes = EncodeCp932(data);
    if (shortLastLine) bytes += Cp932("\"9\",\"9\"");
    QVERIFY(WriteBytes(path("many.dat"), bytes));
    Loaded back;
    int unreadRows = -1;
    back.error = LoadDataFile(back.state, back.host, path("many.dat"), {}, &unreadRows);
    if (rows == 0) {
      QVERIFY(back.error);
      QCOMPARE(back.error->kind, LoadError::Kind::BadLine);
      QCOMPARE(back.host.grid.rows(), 0);
      return;
    }
    QVERIFY(!back.error);
    QCOMPARE(back.state.RowCount, rows);
    QCOMPARE(back.host.grid.rows(), rows);
    QCOMPARE(back.host.grid.rowTexts(rows - 1), data[rows - 1]);
    QCOMPARE(unreadRows, unread);
    if (unread > 0)
      QVERIFY(UnreadRowsNotice(path("many.dat"), unread).contains(QStringLiteral("%1人いますが").arg(students)));
  }

  void spreadsheetCsvReadsLikeQuoted() {
    const Rows rows = {{"組", "番", "生徒氏名"}, {"1", "1", "佐藤"}, {"1", "2", "鈴木"}};
    QVERIFY(WriteBytes(path("bare.csv"), EncodeCp932(rows, false)));
    QVERIFY(
        WriteBytes(path("utf8.csv"), "\xEF\xBB\xBF" + QStringLiteral("組,番,生徒氏名\n1,1,佐藤\n1,2,鈴木\n").toUtf8()));
    QVERIFY(WriteBytes(path("utf8-nobom.csv"), QStringLiteral("組,番,生徒氏名\r\n1,1,佐藤\r\n1,2,鈴木").toUtf8()));
    for (const char* name : {"bare.csv", "utf8.csv", "utf8-nobom.csv"}) {
      Loaded back;
      load(back, path(QString::fromLatin1(name)));
      QVERIFY2(!back.error, name);
      QCOMPARE(Cells(back.host.grid), rows);
    }
  }

  void unreadableFilesLeaveTableAlone_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("kind");
    QTest::newRow("header only") << Cp932("\"組\",\"番\",\"生徒氏名\"\r\n") << int(LoadError::Kind::HeaderNotCounted);
    QTest::newRow("empty file") << QByteArray() << int(LoadError::Kind::HeaderNotCounted);
    QTest::newRow("neither code page") << QByteArray("\"\x81\x20\",\"\xFF\"\r\n\"1\"") << int(LoadError::Kind::NotText);
    QTest::newRow("bom then bad utf-8") << QByteArray("\xEF\xBB\xBF\xC3\x28,1") << int(LoadError::Kind::NotText);
  }
  void unreadableFilesLeaveTableAlone() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, kind);
    QVERIFY(WriteBytes(path("bad.dat"), bytes));
    Loaded l;
    FillTable(l.host.grid, {{"組", "番", "生徒氏名"}, {"1", "1", "前の表"}});
    l.host.grid.setModified(false);
    l.state.ColumnCount = 3;
    load(l, path("bad.dat"));
    QVERIFY(l.error);
    QCOMPARE(int(l.error->kind), kind);
    QVERIFY(!l.error->message().isEmpty());
    QCOMPARE(l.host.grid.text(1, 2), QStringLiteral("前の表"));
    QCOMPARE(l.state.ColumnCount, 3);
    QVERIFY(!l.host.grid.isModified());
  }

  // A file is read as UTF-8 exactly when a strict UTF-8 decoder takes all
  // of it (after a byte-order mark), else as code page 932: the border cases
  // of UTF-8 decide as the decoder does.
  void encodingChosenAsTheStrictDecoderSays_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ascii") << QByteArray("\"1\",\"2\"");
    QTest::newRow("utf-8 kanji") << QByteArray("\xE9\xAB\x99\xE6\xA9\x8B");
    QTest::newRow("code page 932 kanji") << Cp932("髙橋　﨑");
    QTest::newRow("four-byte character") << QByteArray("a\xF0\x9F\x98\x80");
    QTest::newRow("highest code point") << QByteArray("\xF4\x8F\xBF\xBF");
    QTest::newRow("past the highest") << QByteArray("\xF4\x90\x80\x80");
    QTest::newRow("overlong slash") << QByteArray("\xC0\xAF");
    QTest::newRow("overlong three bytes") << QByteArray("\xE0\x80\xAF");
    QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80");
    QTest::newRow("last before surrogates") << QByteArray("\xED\x9F\xBF");
    QTest::newRow("noncharacter") << QByteArray("\xEF\xBF\xBE");
    QTest::newRow("cut short at the end") << QByteArray("ab\xE3\x81");
    QTest::newRow("lone continuation") << QByteArray("\x80");
    QTest::newRow("byte-order mark, utf-8") << QByteArray("\xEF\xBB\xBF\xE3\x81\x82");
    QTest::newRow("byte-order mark, not utf-8") << QByteArray("\xEF\xBB\xBF\x82\xA0");
  }
  void encodingChosenAsTheStrictDecoderSays() {
    QFETCH(QByteArray, bytes);
    const bool bom = bytes.startsWith("\xEF\xBB\xBF");
    QStringDecoder strict(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString asUtf8 = strict.decode(bom ? bytes.mid(3) : bytes);
    std::optional<QString> expected;
    if (!strict.hasError())
      expected = asUtf8;
    else if (!bom)
      expected = TextCodec::decodeCp932(bytes);
    QCOMPARE(TextCodec::decodeFile(bytes), expected);
  }

  void missingFileIsReported() {
    Loaded l;
    load(l, path("no-such.dat"));
    QVERIFY(l.error);
    QCOMPARE(l.error->kind, LoadError::Kind::CannotOpen);
    QVERIFY(l.error->message().contains(QStringLiteral("no-such.dat")));
  }

  void refusedSaves_data() {
    QTest::addColumn<QString>("cell");
    QTest::addColumn<int>("kind");
    QTest::newRow("double quote") << "山\"田" << int(SaveError::Kind::Quote);
    QTest::newRow("line break") << "山\n田" << int(SaveError::Kind::LineBreak);
    QTest::newRow("outside code page") << "𠮷野" << int(SaveError::Kind::NotCp932);
    QTest::newRow("emoji") << "😀" << int(SaveError::Kind::NotCp932);
  }
  void refusedSaves() {
    QFETCH(QString, cell);
    QFETCH(int, kind);
    QVERIFY(WriteBytes(path("keep.dat"), "old"));
    TestHost host;
    FillTable(host.grid, {{"組", "番", "生徒氏名"}, {"1", "1", "佐藤"}, {"1", "2", cell}});
    SharedState state;
    DescribeTable(state, host.grid);
    const auto error = WriteTableToFile(state, host, path("keep.dat"));
    QVERIFY(error);
    QCOMPARE(int(error->kind), kind);
    QCOMPARE(error->row, 2);
    QCOMPARE(error->column, 2);
    QVERIFY(error->message().contains(QStringLiteral("2行目")));
    QCOMPARE(ReadBytes(path("keep.dat")), QByteArray("old"));
  }

  void columnLimitsOnSave_data() {
    QTest::addColumn<int>("columns");
    QTest::addColumn<bool>("saved");
    QTest::newRow("2") << 2 << false;
    QTest::newRow("3") << 3 << true;
    QTest::newRow("23") << 23 << true;
    QTest::newRow("24") << 24 << false;
  }
  void columnLimitsOnSave() {
    QFETCH(int, columns);
    QFETCH(bool, saved);
    const QString file = path(QStringLiteral("cols%1.dat").arg(columns));
    TestHost host;
    FillTable(host.grid, MakeRows({5, 1, std::max(columns, 3), 3}));
    host.grid.setCols(columns);
    SharedState state;
    DescribeTable(state, host.grid);
    const auto error = WriteTableToFile(state, host, file);
    QCOMPARE(!error.has_value(), saved);
    QCOMPARE(QFile::exists(file), saved);
  }
};

QTEST_GUILESS_MAIN(DataFileTest)
#include "data_file_test.moc"
