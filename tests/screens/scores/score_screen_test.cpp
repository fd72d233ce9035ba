#include "screens/scores/score_screen.h"
#include "app/application.h"
#include "model/ports/scripted_dialogs.h"
#include "model/session/shared_state.h"
#include "model/table/student_table.h"
#include "screens/menu/main_menu.h"
#include "screens/scores/subject_selection_screen.h"
#include "support/paint_counter.h"
#include "support/roster_test_app.h"
#include "support/table_fixtures.h"
#include "ui/grid_view.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace gakunen;
using namespace gakunen::testing;

namespace {

const QStringList kRoster = {"組", "番", "生徒氏名"};
const QString kNoStudent =
    QStringLiteral("点数を入れる生徒が決まっていません。「点数入力」で、何組何番から入力するかを指定してください。");

// The program with scripted dialogs and Form3 opened from the menu on a
// file holding `rows`.
struct ScoreApp {
  ScriptedDialogs* dialogs;
  std::unique_ptr<Application> app;
  ScoreScreen* form3 = nullptr;
  QTemporaryDir dir;

  explicit ScoreApp(const Rows& rows) {
    auto d = std::make_unique<ScriptedDialogs>();
    dialogs = d.get();
    app = std::make_unique<Application>(std::move(d), std::make_unique<RecordingScreenPrinter>());
    app->setScenarioMode(true);
    const QString path = dir.filePath(QStringLiteral("scores.dat"));
    if (!WriteBytes(path, EncodeCp932(rows))) qFatal("cannot write the test file");
    auto* menu = &app->forms().menu();
    menu->show();
    dialogs->queueFile(path);
    menu->button(1)->click();
    form3 = &app->forms().scores();
  }

  SharedState& state() { return app->state(); }
  StudentTable& table() { return form3->table(); }
  QPushButton* button(int n) { return form3->button(n); }
  void click(int n) { button(n)->click(); }
  template <typename T>
  T* child(const QString& name) {
    return form3->findChild<T*>(name);
  }

  void chooseSubject(int option) {
    click(2);
    child<QRadioButton>(QStringLiteral("Option1[%1]").arg(option))->click();
    child<QPushButton>(QStringLiteral("Command14"))->click();
  }
  bool startAt(int classNumber, int number) {
    dialogs->queueAnswer(QString::number(classNumber));
    dialogs->queueAnswer(QString::number(number));
    click(4);
    return form3->entry()->isEnabled();
  }
  void type(const QString& text, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    form3->entry()->setText(text);
    QTest::keyClick(form3->entry(), Qt::Key_Return, modifiers);
  }
};

// One class of `scores.size()` students with the given subject titles.
Rows oneClass(const QStringList& titles, const Rows& scores) {
  Rows rows{kRoster + titles};
  for (int i = 0; i < scores.size(); ++i)
    rows.append(QStringList{"1", QString::number(i + 1), QStringLiteral("生徒%1").arg(i + 1)} + scores[i]);
  return rows;
}

QStringList column(const StudentTable& t, int col) {
  QStringList out;
  for (int r = 1; r < t.rows(); ++r) out << t.text(r, col);
  return out;
}

}  // namespace

class ScoreScreenTest : public QObject {
  Q_OBJECT
 private slots:
  void controlsAtStart_data() {
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("tooltip");
    QTest::addColumn<bool>("enabled");

    auto row = [](const char* form, const char* name, const QString& caption, const QString& tip, bool on) {
      QTest::addRow("%s.%s", form, name) << QString::fromLatin1(form) << QString::fromLatin1(name) << caption << tip
                                         << on;
    };
    row("Form3", "Command1", "テスト教科選択", "氏名だけのデータにテストをする教科を追加します", true);
    row("Form3", "Command2", "点数入力教科選択", "点数を入力する教科を選びます", true);
    row("Form3", "Command4", "点数入力", "点数を入力します", false);
    row("Form3", "Text1", "", "ここに点数を入力してください", false);
    row("Form3", "Command3", "OK", "テキストボックスの点数を表に入れます。｢リターン｣キーでもできます", false);
    row("Form3", "Command5", "集計", "各生徒の合計点を計算します", true);
    row("Form3", "Command6", "生徒平均", "各生徒の平均点を計算します", false);
    row("Form3", "Command9", "並べ替え", "合計点の順に並べ替えます", false);
    row("Form3", "Command10", "順位付け", "並べ替えたデータを整理します", false);
    row("Form3", "Command8", "学年平均", "表の最後に学年・各クラスの平均などを表示します", false);
    row("Form3", "Command13", "度数分布", "合計したデータの度数分布を調べます", false);
    row("Form3", "Command15", "度数分布グラフ", "", false);
    row("Form3", "Command7", "印刷", "クラスごと、または、順位ごとに印刷します", true);
    row("Form3", "Command11", "保存", "データを保存します", true);
    row("Form3", "Command12", "終了", "プログラムを終了します", true);
    row("Form3", "Label1", "入力する教科を選んでください", "", true);
    row("Form3", "Command14", "OK", "教科を選んだらここをクリックしてください", true);
    const QStringList subjects{"国語", "社会", "数学", "理科", "英語", "音楽", "美術", "保体", "技家"};
    for (int i = 0; i < subjects.size(); ++i)
      QTest::addRow("Form3.Option1[%d]", i)
          << "Form3" << QStringLiteral("Option1[%1]").arg(i) << subjects[i] << "" << true;
    row("Form4", "Command1", "選択終了", "テスト教科を選んだら、ここをクリックしてください", true);
    row("Form4", "Command2", "前に戻る", "前の画面に戻ります", true);
    row("Form4", "Label1",
        "★テストをしない教科は、その教科名を削除するか、\nプルダウンメニューの最後の空白を選択してください。", "",
        true);
    row("Form4", "Label2",
        "★テストをする教科は、左につめてください。\nテストする教科の途中に空白を入れないでください。", "", true);
  }
  void controlsAtStart() {
    QFETCH(QString, form);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, tooltip);
    QFETCH(bool, enabled);
    ScoreApp a(oneClass({}, {{}}));
    QWidget* screen = a.app->form(form);
    QWidget* w = screen->findChild<QWidget*>(name);
    QVERIFY2(w, qPrintable(name));
    QString text;
    if (auto* b = qobject_cast<QAbstractButton*>(w))
      text = b->text();
    else if (auto* l = qobject_cast<QLabel*>(w))
      text = l->text();
    else if (auto* e = qobject_cast<QLineEdit*>(w))
      text = e->text();
    QCOMPARE(text, caption);
    QCOMPARE(w->toolTip(), tooltip);
    QCOMPARE(w->isEnabled(), enabled);
  }

  // Scores are typed directly: the box keeps the input method off even once enabled.
  void entryBoxTakesDirectTypingOnly() {
    ScoreApp a(oneClass({"国語"}, {{""}, {""}}));
    QLineEdit* entry = a.form3->entry();
    QVERIFY(!entry->testAttribute(Qt::WA_InputMethodEnabled));
    a.chooseSubject(0);
    QVERIFY(a.startAt(1, 1));
    QVERIFY(!entry->testAttribute(Qt::WA_InputMethodEnabled));
  }

  void subjectListsOfferTenEntries() {
    ScoreApp a(oneClass({}, {{}}));
    a.click(1);
    auto* form4 = &a.app->forms().subjectSelection();
    QVERIFY(form4->isVisible());
    QVERIFY(!a.form3->isVisible());
    const QStringList entries{"国語", "社会", "数学", "理科", "英語", "音楽", "美術", "保体", "技家", ""};
    for (int i = 0; i < 9; ++i) {
      auto* list = form4->findChild<QComboBox*>(QStringLiteral("Combo1[%1]").arg(i));
      QStringList items;
      for (int k = 0; k < list->count(); ++k) items << list->itemText(k);
      QCOMPARE(items, entries);
      // A second opening must not add the entries again.
      list->setEditText(QStringLiteral("体育"));
    }
    form4->findChild<QPushButton*>(QStringLiteral("Command2"))->click();  // 前に戻る
    QVERIFY(a.form3->isVisible());
    QCOMPARE(a.table().cols(), 3);
    a.click(1);
    QCOMPARE(form4->listTexts(), (QStringList{"国語", "社会", "数学", "理科", "英語", "", "", "", ""}));
    for (int i = 0; i < 9; ++i)
      QCOMPARE(form4->findChild<QComboBox*>(QStringLiteral("Combo1[%1]").arg(i))->count(), 10);
    QCOMPARE(form4->focusWidget(), form4->findChild<QPushButton*>(QStringLiteral("Command1")));
  }

  // Narrowing the subjects would take typed scores away: asked first.
  void narrowingAsksBeforeDroppingScores() {
    ScoreApp a(oneClass({}, {{}, {}}));
    a.click(1);
    auto* form4 = a.app->form(QStringLiteral("Form4"));
    form4->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    a.table().setText(2, 6, QStringLiteral("70"));
    a.click(1);
    form4->findChild<QComboBox*>(QStringLiteral("Combo1[3]"))->setEditText(QString());
    form4->findChild<QComboBox*>(QStringLiteral("Combo1[4]"))->setEditText(QString());
    a.dialogs->queueConfirm(false);
    form4->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    QCOMPARE(a.dialogs->questions().size(), 1);
    QVERIFY(a.dialogs->questions().last().text.contains(QStringLiteral("理科")));
    QCOMPARE(a.table().cols(), 8);
    QCOMPARE(a.table().text(2, 6), QStringLiteral("70"));
    QVERIFY(form4->isVisible());
    a.dialogs->queueConfirm(true);
    form4->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    QCOMPARE(a.table().cols(), 6);
    QCOMPARE(a.state().ColumnCount, 6);
    QVERIFY(a.form3->isVisible());
  }

  // Return confirms whatever shift state; the OK button does the same.
  void returnWithModifiers_data() {
    QTest::addColumn<int>("modifiers");
    QTest::newRow("plain") << int(Qt::NoModifier);
    QTest::newRow("shift") << int(Qt::ShiftModifier);
    QTest::newRow("control") << int(Qt::ControlModifier);
  }
  void returnWithModifiers() {
    QFETCH(int, modifiers);
    ScoreApp a(oneClass({"国語"}, {{""}, {""}}));
    a.chooseSubject(0);
    QVERIFY(a.startAt(1, 1));
    a.type(QStringLiteral("77"), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(a.table().text(1, 3), QStringLiteral("77"));
    QCOMPARE(a.state().CurrentRow, 2);
    QCOMPARE(a.form3->entry()->text(), QString());
    QCOMPARE(a.form3->grid()->currentRow(), 2);
    QCOMPARE(a.form3->grid()->currentCol(), 3);
  }

  // Confirming before any student was named on this screen writes nothing,
  // whatever row another screen left behind; so does confirming after a
  // sort moved other students into the rows.
  void entryNeedsAStudentOfThisScreen() {
    ScoreApp a(oneClass({"国語"}, {{"10"}, {"20"}, {"30"}}));
    a.state().CurrentRow = 2;  // left by another screen
    a.chooseSubject(0);
    a.dialogs->queueAnswerCancel();
    a.click(4);
    QVERIFY(a.button(3)->isEnabled());
    a.click(3);
    QCOMPARE(column(a.table(), 3), (QStringList{"10", "20", "30"}));
    QCOMPARE(a.dialogs->messages().last().text, kNoStudent);

    QVERIFY(a.startAt(1, 2));
    a.type(QStringLiteral("25"));
    QCOMPARE(column(a.table(), 3), (QStringList{"10", "25", "30"}));
    a.click(5);
    a.click(6);
    a.click(9);
    QCOMPARE(column(a.table(), 3), (QStringList{"30", "25", "10"}));
    a.type(QStringLiteral("99"));
    QCOMPARE(column(a.table(), 3), (QStringList{"30", "25", "10"}));
    QCOMPARE(a.dialogs->messages().last().text, kNoStudent);
  }

  // Each operation repaints the grid once, not once per cell.
  void onePaintPerOperation_data() {
    QTest::addColumn<int>("button");
    QTest::newRow("集計") << 5;
    QTest::newRow("生徒平均") << 6;
    QTest::newRow("並べ替え") << 9;
  }
  void onePaintPerOperation() {
    QFETCH(int, button);
    TableSpec spec;
    spec.students = 300;
    spec.classes = 8;
    spec.columns = 12;  // 組 番 生徒氏名 and the nine subjects
    ScoreApp a(MakeRows(spec));
    if (button >= 6) a.click(5);
    if (button >= 9) a.click(6);
    QVERIFY(QTest::qWaitForWindowExposed(a.form3));
    QTest::qWait(20);
    PaintCounter counter;
    a.form3->grid()->tableView()->viewport()->installEventFilter(&counter);
    a.click(button);
    QTest::qWait(50);
    QCOMPARE(counter.paints, 1);
  }
};

QTEST_MAIN(ScoreScreenTest)
#include "score_screen_test.moc"
