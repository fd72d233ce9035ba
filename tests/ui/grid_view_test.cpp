#include "ui/grid_view.h"
#include "ink.h"
#include "model/table/student_table.h"
#include "ui/cell_text.h"

#include <QAbstractItemModelTester>
#include <QFont>
#include <QFontMetrics>
#include <QHeaderView>
#include <QImage>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QtTest>

using namespace gakunen;
using gakunen::testing::InkIn;

namespace {

// A score table: titles, `students` rows, columns 組 番 生徒氏名 and subjects.
void fillScores(StudentTable& table, int students, int cols = 8) {
  BulkChange bulk(table);
  table.resize(students + 1, cols);
  const QStringList titles = {"組", "番", "生徒氏名", "国語", "社会", "数学", "理科", "英語", "音楽", "美術"};
  for (int c = 0; c < cols; ++c) table.setText(0, c, c < titles.size() ? titles[c] : QStringLiteral("列%1").arg(c));
  for (int r = 1; r <= students; ++r) {
    table.setText(r, 0, QString::number((r - 1) / 30 + 1));
    table.setText(r, 1, QString::number((r - 1) % 30 + 1));
    table.setText(r, 2, QStringLiteral("生徒%1").arg(r));
    for (int c = 3; c < cols; ++c) table.setText(r, c, QString::number((r * 7 + c * 13) % 101));
  }
  table.setColWidth(0, 300);
  table.setColWidth(1, 300);
  table.setColWidth(2, 1300);
  for (int c = 3; c < cols; ++c) table.setColWidth(c, 500);
}

Qt::Alignment horizontal(const QVariant& alignment) {
  return alignment.value<Qt::Alignment>() & Qt::AlignHorizontal_Mask;
}

}  // namespace

class GridViewTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic")); }

  void modelMapsTitleRowToHeader() {
    StudentTable table;
    table.assign(3, 3, {"組", "番", "生徒氏名", "1", "1", "髙橋 一郎", "1", "2", "山﨑 花子"});
    GridModel model(table);
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.columnCount(), 3);
    QCOMPARE(model.headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("生徒氏名"));
    QCOMPARE(model.data(model.index(0, 2), Qt::DisplayRole).toString(), QStringLiteral("髙橋 一郎"));
    QCOMPARE(model.data(model.index(1, 1), Qt::DisplayRole).toString(), QStringLiteral("2"));
    QVERIFY(!model.headerData(0, Qt::Vertical, Qt::DisplayRole).isValid());
    QVERIFY(!(model.flags(model.index(0, 0)) & Qt::ItemIsEditable));
    QVERIFY(!model.index(2, 0).isValid());
  }

  void modelOfSmallTables_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("cols");
    QTest::addColumn<int>("modelRows");
    QTest::newRow("empty") << 0 << 0 << 0;
    QTest::newRow("columns without rows") << 0 << 3 << 0;
    QTest::newRow("title row only") << 1 << 3 << 0;
    QTest::newRow("one student") << 2 << 3 << 1;
  }
  void modelOfSmallTables() {
    QFETCH(int, rows);
    QFETCH(int, cols);
    QFETCH(int, modelRows);
    StudentTable table;
    table.resize(rows, cols);
    GridModel model(table);
    QCOMPARE(model.rowCount(), modelRows);
    QCOMPARE(model.columnCount(), cols);
    if (modelRows == 0) QVERIFY(!model.index(0, 0).isValid());
    QCOMPARE(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QString());
  }

  // Whatever the table goes through, the model keeps the rules every view
  // relies on: counts, indexes and the signals that announce a change agree.
  // Each step is "verb arguments": resize R C, cell R C TEXT, scores N,
  // insert R, remove R, sort C, fixed N, bulk (a reshaping in one bulk change).
  void modelKeepsTheContractOfItsViews_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::newRow("empty table") << QStringList{};
    QTest::newRow("title row only") << QStringList{"resize 1 3", "cell 0 2 生徒氏名", "cell 1 0 1"};
    QTest::newRow("one student, then none") << QStringList{"resize 2 1", "cell 1 0 1", "fixed 1", "resize 0 0"};
    QTest::newRow("rows in and out") << QStringList{"scores 30", "insert 5", "remove 1", "remove 30", "insert 31"};
    QTest::newRow("sorted and narrowed") << QStringList{"scores 120", "sort 3", "fixed 3", "resize 121 2", "fixed 0"};
    QTest::newRow("full year-group in bulk") << QStringList{"scores 998", "bulk", "sort 5", "cell 0 4 合計"};
  }
  void modelKeepsTheContractOfItsViews() {
    QFETCH(QStringList, steps);
    StudentTable table;
    GridModel model(table);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    for (const QString& step : steps) {
      const QStringList w = step.split(u' ');
      auto n = [&](int i) { return w.value(i).toInt(); };
      if (w[0] == u"resize")
        table.resize(n(1), n(2));
      else if (w[0] == u"cell")
        table.setText(n(1), n(2), w.value(3));
      else if (w[0] == u"scores")
        fillScores(table, n(1));
      else if (w[0] == u"insert")
        table.insertRow(n(1), {"1", "99", "転入生"});
      else if (w[0] == u"remove")
        table.removeRow(n(1));
      else if (w[0] == u"sort")
        table.sortRows(n(1), SortOrder::Descending);
      else if (w[0] == u"fixed")
        table.setFixedCols(n(1));
      else if (w[0] == u"bulk") {
        BulkChange bulk(table);
        table.setRows(table.rows() + 18);
        table.setCols(table.cols() + 1);
        table.setText(table.rows() - 1, 2, QStringLiteral("100点未満"));
      } else
        QFAIL(qPrintable(step));
      QCOMPARE(model.rowCount(), std::max(table.rows() - 1, 0));
      QCOMPARE(model.columnCount(), table.cols());
    }
  }

  void numbersAlignRightTextLeft_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("right");
    QTest::newRow("score") << "85" << true;
    QTest::newRow("average") << "72.5" << true;
    QTest::newRow("negative") << "-3" << true;
    QTest::newRow("blanks around") << " 7 " << true;
    QTest::newRow("name") << "山田 太郎" << false;
    QTest::newRow("number then kanji") << "3組" << false;
    QTest::newRow("full-width digits") << "８５" << false;
    QTest::newRow("empty") << "" << false;
  }
  void numbersAlignRightTextLeft() {
    QFETCH(QString, text);
    QFETCH(bool, right);
    StudentTable table;
    table.resize(2, 1);
    table.setText(0, 0, text);
    table.setText(1, 0, text);
    GridModel model(table);
    const Qt::Alignment expected = right ? Qt::AlignRight : Qt::AlignLeft;
    QCOMPARE(horizontal(model.data(model.index(0, 0), Qt::TextAlignmentRole)), expected);
    QCOMPARE(horizontal(model.headerData(0, Qt::Horizontal, Qt::TextAlignmentRole)), expected);
  }

  void cellChangeReachesViewAsOneCell() {
    GridView grid;
    StudentTable& table = grid.table();
    fillScores(table, 10);
    QAbstractItemModel* model = grid.tableView()->model();
    QSignalSpy data(model, &QAbstractItemModel::dataChanged);
    QSignalSpy header(model, &QAbstractItemModel::headerDataChanged);
    QSignalSpy resets(model, &QAbstractItemModel::modelReset);

    table.setText(4, 3, QStringLiteral("99"));
    QCOMPARE(data.count(), 1);
    const QModelIndex from = data.first().at(0).value<QModelIndex>();
    const QModelIndex to = data.first().at(1).value<QModelIndex>();
    QCOMPARE(from, to);
    QCOMPARE(from.row(), 3);
    QCOMPARE(from.column(), 3);
    QCOMPARE(model->data(from).toString(), QStringLiteral("99"));

    table.setText(0, 4, QStringLiteral("合計"));
    QCOMPARE(header.count(), 1);
    QCOMPARE(header.first().at(1).toInt(), 4);
    QCOMPARE(header.first().at(2).toInt(), 4);
    QCOMPARE(model->headerData(4, Qt::Horizontal).toString(), QStringLiteral("合計"));
    QCOMPARE(resets.count(), 0);
  }

  void bulkChangeResetsOnce_data() {
    QTest::addColumn<int>("students");
    QTest::addColumn<int>("cols");
    QTest::newRow("same size, every cell") << 40 << 8;
    QTest::newRow("grown") << 200 << 12;
    QTest::newRow("shrunk") << 3 << 4;
  }
  void bulkChangeResetsOnce() {
    QFETCH(int, students);
    QFETCH(int, cols);
    GridView grid;
    fillScores(grid.table(), 40, 8);
    QAbstractItemModel* model = grid.tableView()->model();
    QSignalSpy aboutToReset(model, &QAbstractItemModel::modelAboutToBeReset);
    QSignalSpy resets(model, &QAbstractItemModel::modelReset);
    QSignalSpy data(model, &QAbstractItemModel::dataChanged);
    QSignalSpy header(model, &QAbstractItemModel::headerDataChanged);

    fillScores(grid.table(), students, cols);

    QCOMPARE(aboutToReset.count(), 1);
    QCOMPARE(resets.count(), 1);
    QCOMPARE(data.count(), 0);
    QCOMPARE(header.count(), 0);
    QCOMPARE(model->rowCount(), students);
    QCOMPARE(model->columnCount(), cols);
    QCOMPARE(model->data(model->index(students - 1, 2)).toString(), QStringLiteral("生徒%1").arg(students));
  }

  void structuralChangesResetOnceEach() {
    GridView grid;
    StudentTable& table = grid.table();
    fillScores(table, 5);
    QSignalSpy resets(grid.tableView()->model(), &QAbstractItemModel::modelReset);
    table.insertRow(3, {"1", "3", "転入 生徒"});
    table.removeRow(1);
    table.sortRows(3, SortOrder::Descending);
    QCOMPARE(resets.count(), 3);
    QCOMPARE(grid.tableView()->model()->rowCount(), 5);
  }

  // A model made while its table is in bulk mode hears the end of a reset
  // whose beginning came before it existed.
  void modelMadeDuringBulkChange() {
    StudentTable table;
    table.resize(3, 3);
    std::unique_ptr<GridModel> model;
    QSignalSpy* resets = nullptr;
    {
      BulkChange bulk(table);
      table.resize(6, 4);
      model = std::make_unique<GridModel>(table);
      resets = new QSignalSpy(model.get(), &QAbstractItemModel::modelReset);
      table.setText(5, 3, QStringLiteral("x"));
    }
    QCOMPARE(resets->count(), 1);
    QCOMPARE(model->rowCount(), 5);
    QCOMPARE(model->data(model->index(4, 3), Qt::DisplayRole).toString(), QStringLiteral("x"));
    table.resize(2, 2);
    QCOMPARE(resets->count(), 2);
    QCOMPARE(model->rowCount(), 1);
    delete resets;
  }

  void columnWidthsFromTwips() {
    GridView grid;
    StudentTable& table = grid.table();
    fillScores(table, 3, 5);
    table.setColWidth(4, 0);
    QTableView* view = grid.tableView();
    QCOMPARE(view->columnWidth(0), 20);  // 300 twips
    QCOMPARE(view->columnWidth(2), 87);  // 1300 twips
    QCOMPARE(view->columnWidth(3), 33);  // 500 twips
    QVERIFY(view->isColumnHidden(4));    // width 0
    QCOMPARE(view->rowHeight(0), 16);

    // A reset gives header sections their default size back; the widths must survive it.
    {
      BulkChange bulk(table);
      table.setText(1, 1, QStringLiteral("5"));
      table.setCols(6);
    }
    QCOMPARE(view->columnWidth(2), 87);
    QCOMPARE(view->columnWidth(5), StudentTable::DefaultColumnWidth / 15);
    QVERIFY(view->isColumnHidden(4));
    table.setColWidth(4, 750);
    QVERIFY(!view->isColumnHidden(4));
    QCOMPARE(view->columnWidth(4), 50);
  }

  void fixedColumnsInBothViews_data() {
    QTest::addColumn<int>("fixed");
    QTest::addColumn<bool>("inBulk");
    QTest::newRow("none") << 0 << false;
    QTest::newRow("three") << 3 << false;
    QTest::newRow("two, set in a bulk change") << 2 << true;
    QTest::newRow("more than the table has") << 12 << false;
  }
  void fixedColumnsInBothViews() {
    QFETCH(int, fixed);
    QFETCH(bool, inBulk);
    GridView grid;
    grid.resize(400, 300);
    StudentTable& table = grid.table();
    fillScores(table, 50, 8);
    if (inBulk) {
      BulkChange bulk(table);
      table.setFixedCols(fixed);
      table.setText(2, 2, QStringLiteral("変更"));
    } else {
      table.setFixedCols(fixed);
    }
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));

    QTableView* main = grid.tableView();
    QTableView* frozen = grid.fixedColumnsView();
    const int shown = std::min(fixed, table.cols());
    int frozenWidth = 0;
    for (int c = 0; c < table.cols(); ++c) {
      QVERIFY2(!main->isColumnHidden(c), qPrintable(QStringLiteral("main column %1").arg(c)));
      QCOMPARE(frozen->isColumnHidden(c), c >= shown);
      if (c < shown) frozenWidth += main->columnWidth(c);
    }
    QCOMPARE(frozen->isVisible(), shown > 0);
    if (shown > 0) QCOMPARE(frozen->width(), std::min(frozenWidth, main->viewport()->width()));

    // Fixed columns given up later: the overlay goes.
    table.setFixedCols(0);
    QVERIFY(!frozen->isVisible());
    table.setFixedCols(1);
    QVERIFY(frozen->isVisible());
    QVERIFY(frozen->isColumnHidden(1));
    QVERIFY(!frozen->isColumnHidden(0));
  }

  void fixedColumnsSurviveReset() {
    GridView grid;
    StudentTable& table = grid.table();
    fillScores(table, 5, 6);
    table.setFixedCols(3);
    table.insertRow(2, {"1", "9", "追加"});  // a reset outside a bulk change
    QTableView* frozen = grid.fixedColumnsView();
    for (int c = 0; c < 6; ++c) QCOMPARE(frozen->isColumnHidden(c), c >= 3);
    QCOMPARE(frozen->columnWidth(2), 87);
  }

  void overlayScrollsWithTheTable() {
    GridView grid;
    grid.resize(300, 200);
    StudentTable& table = grid.table();
    fillScores(table, 120, 10);
    table.setFixedCols(3);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QTableView* main = grid.tableView();
    QTableView* frozen = grid.fixedColumnsView();

    grid.showRow(100);
    QVERIFY(main->verticalScrollBar()->value() > 0);
    QCOMPARE(frozen->verticalScrollBar()->value(), main->verticalScrollBar()->value());
    frozen->verticalScrollBar()->setValue(10);
    QCOMPARE(main->verticalScrollBar()->value(), 10);

    // Far right and back: the first scrolling column must come out from under the overlay.
    grid.setCurrentCell(50, 9);
    QVERIFY(main->horizontalScrollBar()->value() > 0);
    grid.setCurrentCell(50, 3);
    const int overlay = frozen->width();
    QVERIFY2(
        main->visualRect(main->currentIndex()).left() >= overlay,
        qPrintable(
            QStringLiteral("cell at %1, overlay %2").arg(main->visualRect(main->currentIndex()).left()).arg(overlay)));

    // Selecting a fixed column does not scroll sideways.
    grid.setCurrentCell(50, 9);
    const int sideways = main->horizontalScrollBar()->value();
    grid.setCurrentCell(60, 1);
    QCOMPARE(main->horizontalScrollBar()->value(), sideways);
    QCOMPARE(frozen->currentIndex(), main->currentIndex());
  }

  void currentCell_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("expectedRow");
    QTest::addColumn<int>("expectedCol");
    QTest::newRow("student cell") << 5 << 2 << 5 << 2;
    QTest::newRow("last row") << 20 << 7 << 20 << 7;
    QTest::newRow("title row") << 0 << 1 << -1 << -1;
    QTest::newRow("beyond the rows") << 21 << 1 << -1 << -1;
    QTest::newRow("beyond the columns") << 3 << 8 << -1 << -1;
    QTest::newRow("negative") << -1 << -1 << -1 << -1;
  }
  void currentCell() {
    QFETCH(int, row);
    QFETCH(int, col);
    QFETCH(int, expectedRow);
    QFETCH(int, expectedCol);
    GridView grid;
    fillScores(grid.table(), 20, 8);
    QCOMPARE(grid.currentRow(), -1);
    grid.setCurrentCell(3, 3);
    grid.setCurrentCell(row, col);
    QCOMPARE(grid.currentRow(), expectedRow);
    QCOMPARE(grid.currentCol(), expectedCol);
  }

  // A 300-twip column (20 pixels) holds class and attendance numbers and,
  // on some screens, scores: they must show whole, never as "1…", and stay
  // inside their cell.
  void narrowColumnShowsNumbersWhole_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("glyphs");
    QTest::newRow("one digit") << "7" << 1;
    QTest::newRow("two digits") << "30" << 2;
    QTest::newRow("class 15") << "15" << 2;
    QTest::newRow("full marks") << "100" << 3;
    QTest::newRow("three wide digits") << "808" << 3;
  }
  void narrowColumnShowsNumbersWhole() {
    QFETCH(QString, text);
    QFETCH(int, glyphs);
    GridView grid;
    grid.resize(300, 120);
    StudentTable& table = grid.table();
    table.assign(3, 3, {"組", "番", "生徒氏名", "", text, "", "", "", ""});
    table.setColWidth(0, 500);
    table.setColWidth(1, 300);
    table.setColWidth(2, 500);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QTableView* view = grid.tableView();
    const QImage image = view->viewport()->grab().toImage();
    const qreal ratio = image.devicePixelRatio();
    auto pixels = [ratio](const QRect& r) {
      return QRect((r.topLeft() * ratio), r.size() * ratio).adjusted(0, 0, -1, -1);
    };
    const QRect cell = pixels(view->visualRect(view->model()->index(0, 1)));

    const auto ink = InkIn(image, cell);
    QVERIFY2(ink.runs == glyphs, qPrintable(QStringLiteral("%1 glyph runs in the cell").arg(ink.runs)));
    // An ellipsis has as many runs as "100": the ink must be as wide as the text narrowed at most so far.
    const int natural = QFontMetrics(view->font()).tightBoundingRect(text).width() * ratio;
    QVERIFY2(ink.box.width() >= natural * kMinCellTextSqueeze,
             qPrintable(QStringLiteral("ink %1 pixels wide, the text %2").arg(ink.box.width()).arg(natural)));
    // Numbers stand to the right, clear of the cell's left edge.
    QVERIFY(ink.box.left() > cell.left());
    // Nothing spills into the empty cells on either side.
    QCOMPARE(InkIn(image, pixels(view->visualRect(view->model()->index(0, 0)))).runs, 0);
    QCOMPARE(InkIn(image, pixels(view->visualRect(view->model()->index(0, 2)))).runs, 0);
  }

  void viewIsReadOnlySingleCell() {
    GridView grid;
    QTableView* view = grid.tableView();
    QCOMPARE(view->editTriggers(), QAbstractItemView::NoEditTriggers);
    QCOMPARE(view->selectionMode(), QAbstractItemView::SingleSelection);
    QVERIFY(view->verticalHeader()->isHidden());
    QCOMPARE(view->font().family(), QStringLiteral("ＭＳ Ｐゴシック"));
    QCOMPARE(view->font().pointSize(), 9);
  }
};

QTEST_MAIN(GridViewTest)
#include "grid_view_test.moc"
