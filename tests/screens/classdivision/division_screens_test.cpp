#include "model/files/data_file.h"
#include "model/rules/classdivision/division_work.h"
#include "screens/classdivision/division_screen.h"
#include "support/roster_test_app.h"
#include "support/table_fixtures.h"
#include "ui/grid_view.h"

#include <QAbstractButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace gakunen;
using namespace gakunen::testing;

namespace {

// The program on the division screen, reached through the menu as a teacher
// reaches it, with a base file of `students` students in a temporary folder.
struct DivisionApp : RosterApp {
  QTemporaryDir dir;
  QWidget* form13 = nullptr;

  explicit DivisionApp(int students) {
    TableSpec spec;
    spec.students = students;
    spec.classes = 3;
    spec.columns = 14;  // the nine subjects, 合計 and 平均
    const QString base = path(QStringLiteral("base.dat"));
    WriteBytes(base, EncodeCp932(MakeRows(spec)));
    QWidget* menu = app->form(QStringLiteral("Form1"));
    menu->show();
    press(menu, "Command10");
    dialogs->queueFile(base);
    press(menu, "Command11");
    QWidget* form12 = app->form(QStringLiteral("Form12"));
    press(form12, "Command1");
    press(form12, "Option1[0]");
    press(form12, "Command3");
    form13 = app->form(QStringLiteral("Form13"));
  }

  QString path(const QString& name) const { return dir.filePath(name); }
  Screen* screen() { return &app->forms().division(); }
  StudentTable& division() { return screen()->table(); }
  QAbstractButton* control(const char* name) { return child<QAbstractButton>(form13, name); }
  void press(QWidget* form, const char* name) { child<QAbstractButton>(form, name)->click(); }
  void press(const char* name) { press(form13, name); }

  // One more test column of ones, as Form15 appends it.
  void appendTest(const QString& title) {
    StudentTable extract;
    Rows rows{{QStringLiteral("組"), QStringLiteral("番"), QStringLiteral("生徒氏名"), title}};
    for (int r = 1; r < division().rows(); ++r)
      rows.append({division().text(r, 0), division().text(r, 1), QString(), QStringLiteral("1")});
    FillTable(extract, rows);
    AppendExtractedColumn(state(), division(), extract);
  }
};

}  // namespace

class DivisionScreensTest : public QObject {
  Q_OBJECT
 private slots:
  void savedTableReadsBackWithItsNewClassColumn() {
    DivisionApp a(12);
    QVERIFY(a.form13->isVisible());
    a.dialogs->queueAnswer(QStringLiteral("1"));
    a.dialogs->queueAnswer(QStringLiteral("一回"));
    a.press("Command1");
    a.press("Command3");
    a.press("Command4");
    a.dialogs->queueAnswer(QStringLiteral("3"));
    a.press("Command5");
    const QString saved = a.path(QStringLiteral("division.dat"));
    a.dialogs->queueFile(saved);
    const auto mark = a.dialogs->mark();
    a.press("Command7");
    QCOMPARE(a.messagesSince(mark), QStringList());
    QCOMPARE(a.state().ColumnCount, 6);

    // Saving changes no step: the grouping is next, nothing else.
    QVERIFY(a.control("Command6")->isEnabled());
    QVERIFY(!a.control("Command5")->isEnabled());
    QVERIFY(!a.control("Command9")->isEnabled());
    QVERIFY(a.control("Command7")->isEnabled());

    TestHost reread;
    SharedState s;
    QVERIFY(!LoadDataFile(s, reread, saved).has_value());
    QCOMPARE(Cells(reread.grid), Cells(a.division()));
    QCOMPARE(reread.grid.rowTexts(0), (QStringList{"組", "番", "生徒氏名", "一回", "合計", "組"}));
  }

  // The writer holds 23 columns at most: 19 added tests still save, their
  // total makes one column too many, and that save is refused whole with
  // the earlier file left as it was.
  void divisionTableBeyondTwentyThreeColumnsIsNotSaved() {
    DivisionApp a(5);
    for (int i = 0; i < 19; ++i) a.appendTest(QStringLiteral("国語"));
    QCOMPARE(a.state().BaseColumnCount, 23);
    const QString saved = a.path(QStringLiteral("wide.dat"));
    a.dialogs->queueFile(saved);
    a.press("Command7");
    const QByteArray before = ReadBytes(saved);
    QVERIFY(!before.isEmpty());

    a.press("Command3");
    QCOMPARE(a.division().cols(), 24);
    a.dialogs->queueFile(saved);
    const auto mark = a.dialogs->mark();
    a.press("Command7");
    const QStringList messages = a.messagesSince(mark);
    QCOMPARE(messages.size(), 1);
    QVERIFY(messages[0].contains(QStringLiteral("24")));
    QCOMPARE(ReadBytes(saved), before);
    // Nothing was cut off to make it fit: the basis and 19 ones.
    QCOMPARE(a.division().cols(), 24);
    QCOMPARE(a.division().text(1, 23), QString::number(a.division().text(1, 3).toInt() + 19));
    QVERIFY(a.screen()->grid()->isVisible());
  }
};

QTEST_MAIN(DivisionScreensTest)
#include "division_screens_test.moc"
