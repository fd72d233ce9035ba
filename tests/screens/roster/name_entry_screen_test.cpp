#include "screens/common/start_position.h"
#include "screens/common/transfer_dialog.h"
#include "screens/menu/main_menu.h"
#include "support/roster_test_app.h"
#include "support/table_fixtures.h"
#include "ui/grid_view.h"

#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

using namespace gakunen;
using namespace gakunen::testing;

namespace {
const QString kEndMessage = QStringLiteral("このクラスの氏名入力が終わりました。まず、保存してください。");
const QString kNotFound = QStringLiteral("その組・番の生徒は見つかりません。");
const QString kLookUp = QStringLiteral("スクロールして転入生の出席番号を確認してください。");

QStringList names(const StudentTable& t) {
  QStringList out;
  for (int r = 1; r < t.rows(); ++r) out << t.text(r, 2);
  return out;
}

void typeName(QLineEdit* entry, const QString& name) {
  entry->setText(name);
  QTest::keyClick(entry, Qt::Key_Return);
}
}  // namespace

class NameEntryScreenTest : public QObject {
  Q_OBJECT
 private slots:
  void namesWithReturnAcrossClassesToTheEnd() {
    RosterApp a;
    a.mixed({2, 1});
    QVERIFY(!a.entry()->isEnabled());
    QVERIFY(!a.button("Command2")->isEnabled());
    a.click("Command3");
    QCOMPARE(a.lastMessage(), QStringLiteral("空欄に氏名を入力し、OKボタンを押してください。"));
    QCOMPARE(a.state().CurrentRow, 1);
    QVERIFY(a.entry()->isEnabled());

    const auto mark = a.dialogs->mark();
    typeName(a.entry(), QStringLiteral("青木　一郎"));
    a.entry()->setText(QStringLiteral("井上　花子"));
    a.click("Command2");  // OK does what Return does
    QVERIFY(a.messagesSince(mark).isEmpty());
    QCOMPARE(a.entry()->text(), QString());
    QCOMPARE(a.state().CurrentRow, 3);
    QCOMPARE(a.form2->grid()->currentRow(), 3);
    typeName(a.entry(), QStringLiteral("上田　三郎"));
    QCOMPARE(a.messagesSince(mark), QStringList{kEndMessage});
    QCOMPARE(names(a.table()), (QStringList{"青木　一郎", "井上　花子", "上田　三郎"}));
    QVERIFY(!a.entry()->isEnabled());
    QVERIFY(!a.button("Command2")->isEnabled());
    QCOMPARE(a.entry()->text(), QString());

    // Starting over overwrites from the first row.
    a.click("Command3");
    typeName(a.entry(), QStringLiteral("江藤"));
    QCOMPARE(names(a.table()), (QStringList{"江藤", "井上　花子", "上田　三郎"}));
  }

  void pauseOnlyReminds() {
    RosterApp a;
    a.mixed({2});
    a.click("Command3");
    typeName(a.entry(), QStringLiteral("小川"));
    a.click("Command4");
    QCOMPARE(a.lastMessage(), QStringLiteral("保存してから休憩してください。"));
    QCOMPARE(a.state().CurrentRow, 2);
    QVERIFY(a.entry()->isEnabled());
    typeName(a.entry(), QStringLiteral("加藤"));
    QCOMPARE(names(a.table()), (QStringList{"小川", "加藤"}));
  }

  // Answers to the two questions and where entry resumes (0: not resumed).
  void startPosition_data() {
    QTest::addColumn<bool>("separateRoster");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<int>("expectedRow");
    QTest::addColumn<QString>("expectedMessage");

    QTest::newRow("class 2 number 5") << false << QStringList{"2", "5"} << 35 << QString();
    QTest::newRow("full-width answers") << false << QStringList{"２", "５"} << 35 << QString();
    QTest::newRow("first girl of class 2") << true << QStringList{"2", "21"} << 9 << QString();
    QTest::newRow("no such number") << false << QStringList{"2", "31"} << 0 << kNotFound;
    QTest::newRow("no such class") << false << QStringList{"3", "1"} << 0 << kNotFound;
    QTest::newRow("class 0 number 0") << false << QStringList{"0", "0"} << 0 << kNotFound;
    QTest::newRow("class not a number") << false << QStringList{"二"} << 0
                                        << QStringLiteral("「二」は数として読めません。入力する位置は変わりません。");
    QTest::newRow("number not a number") << false << QStringList{"2", "5番"} << 0
                                         << QStringLiteral("「5番」は数として読めません。入力する位置は変わりません。");
    QTest::newRow("class cancelled") << false << QStringList{""} << 0 << QString();
    QTest::newRow("number cancelled") << false << QStringList{"2", ""} << 0 << QString();
  }
  void startPosition() {
    QFETCH(bool, separateRoster);
    QFETCH(QStringList, answers);
    QFETCH(int, expectedRow);
    QFETCH(QString, expectedMessage);
    RosterApp a;
    if (separateRoster)
      a.separate({{1, 3, 21, 22}, {1, 3, 21, 22}});
    else
      a.mixed({30, 30});
    a.state().CurrentRow = 7;
    a.state().RowCount = 4;  // left by a smaller table opened elsewhere
    for (const QString& answer : answers) a.dialogs->queueAnswer(answer);
    const auto mark = a.dialogs->mark();
    a.click("Command5");
    QCOMPARE(a.dialogs->promptsSince(mark),
             (QStringList{"何組から入力しますか？", "何番から入力しますか？"}.mid(0, answers.size())));
    QVERIFY(!a.dialogs->hasFailure());
    QVERIFY(a.form2->grid()->isVisibleTo(a.form2));
    QCOMPARE(a.messagesSince(mark), expectedMessage.isEmpty() ? QStringList{} : QStringList{expectedMessage});
    if (expectedRow == 0) {
      QCOMPARE(a.state().CurrentRow, 7);
      QVERIFY(!a.entry()->isEnabled());
      return;
    }
    QCOMPARE(a.state().CurrentRow, expectedRow);
    QVERIFY(a.entry()->isEnabled());
    QVERIFY(a.button("Command2")->isEnabled());
    QCOMPARE(a.form2->focusWidget(), a.entry());
    const QString cls = a.table().text(expectedRow, 0), number = a.table().text(expectedRow, 1);
    typeName(a.entry(), QStringLiteral("途中　入力"));
    const int row = expectedRow;
    QCOMPARE(a.table().text(row, 2), QStringLiteral("途中　入力"));
    QCOMPARE(a.table().text(row, 0) + u'/' + a.table().text(row, 1), cls + u'/' + number);
  }

  void printsOnePagePerClass() {
    RosterApp a;
    a.mixed({3, 2, 4});
    a.click("Command3");
    typeName(a.entry(), QStringLiteral("一組の一番"));
    a.state().ColumnCount = 12;  // left by a score file opened elsewhere
    a.click("Command10");
    QCOMPARE(a.printer->endedJobs, 1);
    QCOMPARE(a.printer->jobs.size(), 1);
    const auto& pages = a.printer->jobs[0];
    QCOMPARE(pages.size(), 3);
    const QList<int> sizes{3, 2, 4};
    for (int k = 1; k <= 3; ++k) {
      const auto& page = pages[k - 1];
      QCOMPARE(page.setup.paper, 12);
      QCOMPARE(page.setup.orientation, 1);
      QCOMPARE(page.at, QPoint(10, 10));
      QCOMPARE(page.widths, (QList<int>{300, 300, 1300}));
      QCOMPARE(page.rows.size(), sizes[k - 1] + 1);
      QCOMPARE(page.rows[0], (QStringList{"組", "番", "生徒氏名"}));
      for (int r = 1; r < page.rows.size(); ++r)
        QCOMPARE(page.rows[r].mid(0, 2), (QStringList{QString::number(k), QString::number(r)}));
    }
    QCOMPARE(pages[0].rows[1][2], QStringLiteral("一組の一番"));
    QCOMPARE(a.state().ClassCount, 3);
    QVERIFY(a.form2->grid()->isVisibleTo(a.form2));
    QVERIFY(!QGuiApplication::overrideCursor());
  }

  void nothingToPrintSaysSo() {
    RosterApp a;
    a.mixed({1});
    a.table().setText(1, 0, QString());
    a.click("Command10");
    QCOMPARE(a.printer->endedJobs, 0);
    QVERIFY(a.lastMessage().contains(QStringLiteral("印刷するものがありません")));
  }

  void save_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("written");
    QTest::newRow("rare kanji of code page 932") << "髙橋　山﨑" << true;
    QTest::newRow("character outside code page 932") << "𠮷田" << false;
    QTest::newRow("double quote") << "田中\"" << false;
  }
  void save() {
    QFETCH(QString, name);
    QFETCH(bool, written);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("meibo.dat"));
    RosterApp a;
    a.mixed({1, 1});
    a.table().setText(2, 2, name);
    a.state().ColumnCount = 12;
    a.state().RowCount = 40;  // describing another screen's table
    a.dialogs->queueFile(path);
    const auto mark = a.dialogs->mark();
    a.click("Command1");
    QVERIFY(!a.dialogs->hasFailure());
    QVERIFY(a.form2->grid()->isVisibleTo(a.form2));
    QCOMPARE(QFile::exists(path), written);
    if (!written) {
      QCOMPARE(a.messagesSince(mark).size(), 1);
      QVERIFY(a.messagesSince(mark)[0].contains(QStringLiteral("保存しませんでした")));
      return;
    }
    QVERIFY(a.messagesSince(mark).isEmpty());
    QCOMPARE(ReadBytes(path), EncodeCp932({{"組", "番", "生徒氏名"}, {"1", "1", ""}, {"2", "1", name}}));
  }

  void saveCancelledWritesNothing() {
    RosterApp a;
    a.mixed({1});
    a.dialogs->queueFileCancel();
    a.click("Command1");
    QVERIFY(!a.dialogs->hasFailure());
    QVERIFY(a.form2->grid()->isVisibleTo(a.form2));
    QVERIFY(a.table().isModified());
  }

  void backToMenuEndsEntry() {
    RosterApp a;
    auto* menu = &a.app->forms().menu();
    menu->showGroup(MainMenu::Group::NewRoster);
    a.mixed({3});
    a.click("Command3");
    // The roster was never saved: the way back asks first.
    a.dialogs->queueConfirm(true);
    a.click("Command6");
    QVERIFY(!a.form2->isVisible());
    QVERIFY(menu->isVisible());
    QVERIFY(menu->groupWidget(MainMenu::Group::Main)->isVisible());
    QVERIFY(!menu->groupWidget(MainMenu::Group::NewRoster)->isVisible());
    QVERIFY(!a.entry()->isEnabled());
    QVERIFY(!a.button("Command2")->isEnabled());
  }

  void inputMethodForNames() {
    RosterApp a;
    QVERIFY(a.entry()->testAttribute(Qt::WA_InputMethodEnabled));
    QVERIFY(!(a.entry()->inputMethodHints() & (Qt::ImhDigitsOnly | Qt::ImhLatinOnly | Qt::ImhHiddenText)));
    auto* dialog = &a.app->forms().transferDialog();
    QVERIFY(dialog->nameField()->testAttribute(Qt::WA_InputMethodEnabled));
  }
};

QTEST_MAIN(NameEntryScreenTest)
#include "name_entry_screen_test.moc"
