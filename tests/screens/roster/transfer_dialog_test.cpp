#include "screens/common/transfer_dialog.h"
#include "model/table/student_table.h"
#include "screens/common/screen.h"
#include "support/roster_test_app.h"
#include "support/table_fixtures.h"
#include "ui/grid_view.h"

#include <QLabel>
#include <QLineEdit>
#include <QtTest>

using namespace gakunen;
using namespace gakunen::testing;

namespace {
const QString kLookUp = QStringLiteral("スクロールして転入生の出席番号を確認してください。");

struct TransferApp : RosterApp {
  TransferDialog* dialog() { return &app->forms().transferDialog(); }
  void fill(const QString& cls, const QString& number, const QString& name) {
    dialog()->classField()->setText(cls);
    dialog()->numberField()->setText(number);
    dialog()->nameField()->setText(name);
  }
  void ok() { child(dialog(), "Command1")->click(); }
  void cancel() { child(dialog(), "Command2")->click(); }
  // Form2's 転入生 button, as the menu's transfer workflow shows it.
  void open() {
    button("Command9")->show();
    click("Command9");
  }
};

QStringList column(const StudentTable& t, int c) {
  QStringList out;
  for (int r = 1; r < t.rows(); ++r) out << t.text(r, c);
  return out;
}
}  // namespace

class TransferDialogTest : public QObject {
  Q_OBJECT
 private slots:
  void form2InsertsAfterPreviousNumber() {
    TransferApp a;
    a.mixed({3, 30, 2});
    a.state().RowCount = 5;  // left by a smaller table opened elsewhere
    const auto mark = a.dialogs->mark();
    a.open();
    QCOMPARE(a.state().ModeCode, ModeCode::TransferIntoRoster);
    QCOMPARE(a.messagesSince(mark), QStringList{kLookUp});
    QVERIFY(a.dialog()->isVisible());
    QVERIFY(a.form2->isEnabled());  // the caller stays usable
    QCOMPARE(a.dialog()->windowTitle(), QStringLiteral("Form20"));
    QVERIFY(a.dialog()->x() >= a.form2->frameGeometry().right() || a.dialog()->x() > a.form2->x());

    a.fill("2", "31", "転入　次郎");
    a.ok();
    QVERIFY(!a.dialog()->isVisible());
    QCOMPARE(a.state().RowCount, 37);
    QCOMPARE(a.table().rows(), 37);
    QCOMPARE(a.state().CurrentRow, 34);
    QCOMPARE(a.table().rowTexts(34), (QStringList{"2", "31", "転入　次郎"}));
    QCOMPARE(a.table().rowTexts(35), (QStringList{"3", "1", ""}));
    // The texts stay for the next time.
    a.open();
    QCOMPARE(a.dialog()->classField()->text(), QStringLiteral("2"));
    QCOMPARE(a.dialog()->nameField()->text(), QStringLiteral("転入　次郎"));
  }

  void numberOneOpensTheClass() {
    TransferApp a;
    a.separate({{2, 3, 21, 22}, {2, 2, 21, 21}});
    a.open();
    a.fill("2", "1", "一番　さん");
    a.ok();
    QCOMPARE(column(a.table(), 1), (QStringList{"2", "3", "21", "22", "1", "2", "21"}));
    QCOMPARE(column(a.table(), 0), (QStringList{"1", "1", "1", "1", "2", "2", "2"}));
    QCOMPARE(a.state().CurrentRow, 5);
  }

  void refusalKeepsTableAndReopens() {
    TransferApp a;
    a.mixed({3});
    a.open();
    a.fill("1", "2", "重複");
    const auto mark = a.dialogs->mark();
    a.ok();
    QCOMPARE(a.messagesSince(mark).size(), 1);
    QVERIFY(a.messagesSince(mark)[0].contains(QStringLiteral("すでに2番")));
    QCOMPARE(a.table().rows(), 4);
    QCOMPARE(a.state().RowCount, 4);
    QVERIFY(a.form2->grid()->isVisibleTo(a.form2));
    QVERIFY(a.dialog()->isVisible());
    QCOMPARE(a.dialog()->numberField()->text(), QStringLiteral("2"));
  }

  void emptyFieldClosesQuietly() {
    TransferApp a;
    a.mixed({3});
    a.open();
    a.fill("1", "4", "");
    const auto mark = a.dialogs->mark();
    a.ok();
    QVERIFY(!a.dialog()->isVisible());
    QVERIFY(a.messagesSince(mark).isEmpty());
    QCOMPARE(a.table().rows(), 4);
  }

  void cancelInsertsNothing() {
    TransferApp a;
    a.mixed({3});
    a.open();
    a.fill("1", "4", "取消");
    a.cancel();
    QVERIFY(!a.dialog()->isVisible());
    QCOMPARE(a.state().ModeCode, ModeCode::TransferClosed);
    QCOMPARE(a.table().rows(), 4);
    // OK after a cancel no longer knows a screen.
    a.dialog()->show();
    a.ok();
    QCOMPARE(a.table().rows(), 4);
  }

  // OK goes to the screen that ModeCode names.
  void dispatch_data() {
    QTest::addColumn<int>("modeCode");
    QTest::addColumn<QString>("target");
    QTest::newRow("name entry") << 5 << "Form2";
    QTest::newRow("subject file") << 6 << "Form7";
    QTest::newRow("class division base") << 7 << "Form12";
    QTest::newRow("class division added data") << 8 << "Form14";
    QTest::newRow("quiz") << 9 << "Form18";
    QTest::newRow("cancelled") << 4 << "";
    QTest::newRow("year-group rows") << 1 << "";
  }
  void dispatch() {
    QFETCH(int, modeCode);
    QFETCH(QString, target);
    const auto mode = static_cast<ModeCode>(modeCode);
    TransferApp a;
    auto* screen = target.isEmpty() ? nullptr : dynamic_cast<Screen*>(a.app->form(target));
    if (!target.isEmpty() && !screen) QSKIP("that screen is not built yet");
    QCOMPARE(a.app->forms().transferTarget(mode), screen);
    a.mixed({2});
    if (screen && screen != a.form2) {
      FillTable(screen->table(), {{"組", "番", "生徒氏名", "数学"}, {"1", "1", "甲", "50"}, {"1", "2", "乙", "60"}});
      screen->show();
    }
    DescribeTable(a.state(), screen ? screen->table() : a.table());
    const int rowsBefore = screen ? screen->table().rows() : 0;
    const int form2Rows = a.table().rows();
    a.state().ModeCode = mode;
    ShowTransferDialog(*a.app, screen ? *screen : *a.form2);
    a.fill("1", "3", "転入生");
    a.ok();
    if (!screen) {
      QCOMPARE(a.table().rows(), form2Rows);
      return;
    }
    QCOMPARE(screen->table().rows(), rowsBefore + 1);
    QCOMPARE(screen->table().rowTexts(3).mid(0, 3), (QStringList{"1", "3", "転入生"}));
    if (screen != a.form2) QCOMPARE(a.table().rows(), form2Rows);
  }

  void returnMovesThroughTheFields() {
    TransferApp a;
    a.mixed({3});
    a.open();
    auto* d = a.dialog();
    QCOMPARE(d->focusWidget(), d->classField());
    QTest::keyClick(d->classField(), Qt::Key_Return);
    QCOMPARE(d->focusWidget(), d->numberField());
    QTest::keyClick(d->numberField(), Qt::Key_Return);
    QCOMPARE(d->focusWidget(), d->nameField());
    d->classField()->setText("1");
    d->numberField()->setText("4");
    d->nameField()->setText("名前");
    QTest::keyClick(d->nameField(), Qt::Key_Return);
    QVERIFY(d->isVisible());
    QCOMPARE(a.table().rows(), 4);
  }

  void labelsAndButtons_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("Label1") << "Label1"
                            << "転入生のクラス";
    QTest::newRow("Label2") << "Label2"
                            << "転入生の出席番号";
    QTest::newRow("Label3") << "Label3"
                            << "転入生の氏名";
    QTest::newRow("Label4") << "Label4"
                            << "最後にOKボタンを押してください";
    QTest::newRow("Command1") << "Command1"
                              << "OK";
    QTest::newRow("Command2") << "Command2"
                              << "キャンセル";
  }
  void labelsAndButtons() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    TransferApp a;
    QObject* o = a.dialog()->findChild<QObject*>(name);
    QVERIFY(o);
    QCOMPARE(o->property("text").toString(), text);
  }

  // Entry under way goes on with the same student, never into the new one.
  void entryUnderWayKeepsItsStudent() {
    TransferApp a;
    a.separate({{2, 3, 21, 21}});  // numbers 2, 3, 21
    a.click("Command3");
    a.entry()->setText("二番");
    QTest::keyClick(a.entry(), Qt::Key_Return);
    QCOMPARE(a.state().CurrentRow, 2);
    a.open();
    a.fill("1", "22", "後ろ");  // below the entry row
    a.ok();
    QCOMPARE(a.state().CurrentRow, 2);
    a.open();
    a.fill("1", "1", "前");  // above it: the student moves down one row
    a.ok();
    QCOMPARE(column(a.table(), 1), (QStringList{"1", "2", "3", "21", "22"}));
    QCOMPARE(a.state().CurrentRow, 3);
    a.entry()->setText("三番");
    QTest::keyClick(a.entry(), Qt::Key_Return);
    QCOMPARE(column(a.table(), 2), (QStringList{"前", "二番", "三番", "", "後ろ"}));
  }

  // Without entry under way CurrentRow is the new student's row.
  void withoutEntryCurrentRowIsTheNewRow() {
    TransferApp a;
    a.separate({{2, 3, 21, 21}});
    a.open();
    a.fill("1", "1", "前");
    a.ok();
    QCOMPARE(a.state().CurrentRow, 1);
  }

  void leavingTheCallerClosesTheDialog() {
    TransferApp a;
    a.mixed({3});
    a.open();
    // The roster was never saved: the way back asks first.
    a.dialogs->queueConfirm(true);
    a.click("Command6");
    QVERIFY(!a.dialog()->isVisible());
    QCOMPARE(a.state().ModeCode, ModeCode::TransferClosed);
  }
};

QTEST_MAIN(TransferDialogTest)
#include "transfer_dialog_test.moc"
