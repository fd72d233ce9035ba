#include "ui/page_printer.h"
#include "ink.h"
#include "model/ports/scripted_dialogs.h"
#include "model/table/student_table.h"
#include "ui/print_preview.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QImage>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace gakunen;

namespace {

// A class page as the roster prints it: titles, `students` rows, widths as
// the screens set them (組 and 番 300 twips, the name 1300, scores 500).
void fillPage(StudentTable& table, int students, int cols, const QString& score = QStringLiteral("100")) {
  table.resize(students + 1, cols);
  const QStringList titles = {"組", "番", "生徒氏名", "国語", "社会", "数学", "理科", "英語"};
  for (int c = 0; c < cols; ++c) table.setText(0, c, c < titles.size() ? titles[c] : QStringLiteral("列%1").arg(c));
  for (int r = 1; r <= students; ++r) {
    table.setText(r, 0, QStringLiteral("15"));
    table.setText(r, 1, QString::number(97 + r));
    table.setText(r, 2, QStringLiteral("髙橋 﨑子"));
    for (int c = 3; c < cols; ++c) table.setText(r, c, score);
  }
  for (int c = 0; c < cols; ++c) table.setColWidth(c, c < 2 ? 300 : c == 2 ? 1300 : 500);
}

QRect inkBox(const QImage& image, const QRect& region, int below = 128) {
  return gakunen::testing::InkIn(image, region, below).box;
}

}  // namespace

class PagePrinterTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic")); }

  // Pages come only from drawing: a job that drew nothing, or a newPage()
  // with nothing after it, must not hand blank sheets to the printer.
  void pagesComeFromDrawing() {
    PagePrinter printer;
    int handed = 0;
    printer.setJobHandler([&handed](const PrintJob&) { ++handed; });
    StudentTable table;
    fillPage(table, 3, 4);

    printer.newPage();
    printer.endJob();
    QCOMPARE(handed, 0);
    QCOMPARE(printer.jobsFinished(), 0);

    printer.setPageSetup(9, 2);
    printer.drawTable(table);
    printer.newPage();
    printer.newPage();
    printer.drawTable(table);
    printer.newPage();
    printer.endJob();
    QCOMPARE(handed, 1);
    QCOMPARE(printer.lastJob().pageCount(), 2);
    // The setup holds for every page until changed; a new job starts on B4 portrait.
    QCOMPARE(printer.lastJob().pages[1].setup.paper, 9);
    QCOMPARE(printer.lastJob().pages[1].setup.orientation, 2);
    printer.drawTable(table);
    printer.endJob();
    QCOMPARE(printer.lastJob().pages[0].setup.paper, 12);
    QCOMPARE(printer.lastJob().pages[0].setup.orientation, 1);
  }

  void sheetSizes_data() {
    QTest::addColumn<int>("paper");
    QTest::addColumn<int>("orientation");
    QTest::addColumn<QSize>("millimetres");
    QTest::newRow("B4 portrait") << 12 << 1 << QSize(257, 364);
    QTest::newRow("A4 portrait") << 9 << 1 << QSize(210, 297);
    QTest::newRow("A4 landscape") << 9 << 2 << QSize(297, 210);
  }
  void sheetSizes() {
    QFETCH(int, paper);
    QFETCH(int, orientation);
    QFETCH(QSize, millimetres);
    PagePrinter printer;
    StudentTable table;
    fillPage(table, 2, 3);
    printer.setPageSetup(paper, orientation);
    printer.drawTable(table);
    printer.endJob();
    const QImage sheet = RenderJobPage(printer.lastJob(), 0, 254);  // 10 dots a millimetre
    const QSize expected = millimetres * 10;
    // Paper sizes are held in whole points: a few tenths of a millimetre either way.
    QVERIFY2(qAbs(sheet.width() - expected.width()) <= 3 && qAbs(sheet.height() - expected.height()) <= 3,
             qPrintable(QStringLiteral("%1 x %2").arg(sheet.width()).arg(sheet.height())));
  }

  // Table images print at their natural size: 1440 twips an inch, the
  // corner 10 twips inside the printable area (10 mm margins).
  void tableAtNaturalSize() {
    PagePrinter printer;
    StudentTable table;
    fillPage(table, 9, 5);  // 2900 x 2400 twips
    printer.drawTable(table, 10, 10);
    printer.endJob();
    const int dpi = 144;  // 10 twips a dot
    const QImage sheet = RenderJobPage(printer.lastJob(), 0, dpi);
    const QRect ink = inkBox(sheet, sheet.rect());
    const int margin = qRound(10 / 25.4 * dpi);
    QVERIFY2(qAbs(ink.left() - (margin + 1)) <= 1 && qAbs(ink.top() - (margin + 1)) <= 1,
             qPrintable(QStringLiteral("corner at %1,%2").arg(ink.left()).arg(ink.top())));
    QVERIFY2(qAbs(ink.width() - 290) <= 2 && qAbs(ink.height() - 240) <= 2,
             qPrintable(QStringLiteral("size %1 x %2").arg(ink.width()).arg(ink.height())));
  }

  // A table larger than the page is reduced to fit rather than cut off.
  void largeTableFitsThePage_data() {
    QTest::addColumn<int>("students");
    QTest::addColumn<int>("cols");
    QTest::newRow("too many rows") << 120 << 5;
    QTest::newRow("too many columns") << 10 << 60;
  }
  void largeTableFitsThePage() {
    QFETCH(int, students);
    QFETCH(int, cols);
    PagePrinter printer;
    StudentTable table;
    fillPage(table, students, cols);
    printer.setPageSetup(9, 1);
    printer.drawTable(table);
    printer.endJob();
    const int dpi = 72;
    const QImage sheet = RenderJobPage(printer.lastJob(), 0, dpi);
    const int margin = qRound(10 / 25.4 * dpi);
    // A line on the edge may shade the dot beside it.
    const QRect printable = sheet.rect().adjusted(margin - 1, margin - 1, 1 - margin, 1 - margin);
    const QRect ink = inkBox(sheet, sheet.rect(), 250);  // reduced, the lines print light at this resolution
    QVERIFY(!ink.isNull());
    QVERIFY2(printable.contains(ink),
             qPrintable(
                 QStringLiteral("ink %1,%2 %3x%4").arg(ink.left()).arg(ink.top()).arg(ink.width()).arg(ink.height())));
    // Reduced no more than needed: it fills the page one way.
    QVERIFY(ink.width() >= printable.width() - 4 || ink.height() >= printable.height() - 4);
  }

  // A text too wide for its column is narrowed on paper, not cut: all
  // three digits of "100" print, and nothing crosses into the next cells.
  // (A 260-twip column leaves 220 twips, which would hide the "1" if cut.)
  void narrowColumnPrintsTextWhole() {
    PagePrinter printer;
    StudentTable table;
    table.assign(3, 3, {"組", "番", "生徒氏名", "", "100", "", "", "", ""});
    table.setColWidth(0, 500);
    table.setColWidth(1, 260);
    table.setColWidth(2, 500);
    printer.drawTable(table, 0, 0);
    printer.endJob();
    const int dpi = 288;  // 5 twips a dot
    const QImage sheet = RenderJobPage(printer.lastJob(), 0, dpi);
    const int margin = qRound(10 / 25.4 * dpi);
    // Row 1 inside its lines: the cells 組 | 番 | 生徒氏名.
    const int top = margin + 48 + 3, height = 48 - 6;
    const QRect left(margin + 3, top, 100 - 6, height);
    const QRect middle(margin + 100 + 3, top, 52 - 6, height);
    const QRect right(margin + 152 + 3, top, 100 - 6, height);
    QCOMPARE(gakunen::testing::InkIn(sheet, left).runs, 0);
    QCOMPARE(gakunen::testing::InkIn(sheet, right).runs, 0);
    QCOMPARE(gakunen::testing::InkIn(sheet, middle).runs, 3);
  }

  // The PDF holds the names as text in the grid font, not as a picture, so
  // printed names are sharp at any size.
  void pdfKeepsTextAsText() {
    PagePrinter printer;
    StudentTable table;
    fillPage(table, 5, 5);
    printer.drawTable(table);
    printer.newPage();
    printer.setPageSetup(9, 2);
    printer.drawTable(table);
    printer.endJob();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("job.pdf"));
    QVERIFY(WriteJobToPdf(printer.lastJob(), path));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    QVERIFY(pdf.startsWith("%PDF-"));
    QVERIFY(pdf.contains("IPAPGothic"));
    QVERIFY(!pdf.contains("/Subtype /Image"));
    QCOMPARE(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "), 2);
  }

  // The preview's own toolbar carries "PDFに保存", which asks for a file
  // name and writes the job there.
  void previewSavesPdf() {
    PagePrinter printer;
    StudentTable table;
    fillPage(table, 3, 4);
    printer.drawTable(table);
    printer.endJob();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("preview.pdf"));
    ScriptedDialogs dialogs;
    dialogs.queueFile(path);
    bool offered = false;
    QTimer::singleShot(0, [&] {
      QWidget* preview = QApplication::activeModalWidget();
      if (!preview) return;
      for (QAction* action : preview->findChildren<QAction*>())
        if (action->text() == QStringLiteral("PDFに保存")) {
          offered = true;
          action->trigger();
        }
      preview->close();
    });
    ShowPrintPreview(printer.lastJob(), nullptr, &dialogs);
    QVERIFY(offered);
    QCOMPARE(dialogs.fileRequests().size(), 1);
    QVERIFY(QFileInfo(path).size() > 0);
  }

  void pdfThatCannotBeWritten() {
    QTemporaryDir dir;
    const QString existing = dir.filePath(QStringLiteral("old.pdf"));
    QFile old(existing);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();

    PrintJob empty;
    QVERIFY(!WriteJobToPdf(empty, existing));
    QCOMPARE(QFileInfo(existing).size(), 3);

    PagePrinter printer;
    StudentTable table;
    fillPage(table, 2, 3);
    printer.drawTable(table);
    printer.endJob();
    QString failure;
    QVERIFY(!WriteJobToPdf(printer.lastJob(), dir.filePath(QStringLiteral("missing/job.pdf")), &failure));
    QCOMPARE(failure, QStringLiteral("PDFファイル「job.pdf」を保存できませんでした。（保存先のフォルダがありません）"
                                     "ファイルは作られていません。"));
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("missing/job.pdf"))));
  }
};

QTEST_MAIN(PagePrinterTest)
#include "page_printer_test.moc"
