#include "screens/menu/main_menu.h"

#include "model/ports/dialogs.h"
#include "model/rules/roster/roster_builders.h"
#include "model/session/shared_state.h"
#include "model/table/numbers.h"
#include "screens/classdivision/base_data_screen.h"
#include "screens/classdivision/new_class_screen.h"
#include "screens/common/file_sequences.h"
#include "screens/common/guide_button.h"
#include "screens/import/import_screen.h"
#include "screens/menu/menu_destinations.h"
#include "screens/quizzes/quiz_screen.h"
#include "screens/roster/name_entry_screen.h"
#include "screens/scores/score_screen.h"
#include "screens/subjectfiles/subject_extraction_screen.h"
#include "screens/subjectfiles/subject_file_screen.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace gakunen {

namespace {

struct ButtonText {
  const char16_t* caption;
  const char16_t* tooltip;
};

// Captions and tooltips, index = button number.
const ButtonText kButtons[17] = {
    {u"", u""},
    {u"点数入力・評価", u"点数入力や評価をおこないます"},
    {u"転入生", u"転入生を追加します"},
    {u"氏名入力", u"氏名入力をおこないます"},
    {u"教科用ファイル作成", u"特定の教科だけのファイルを作成します"},
    {u"新規作成", u"新たに学年の氏名を入力します"},
    {u"続き・訂正", u"保存した氏名のデータを追加・修正します"},
    {u"定期テストから作成", u"氏名が入力されたファイルにテストの点数を入力します"},
    {u"データの追加", u"点数入力の続きや点数の訂正をおこないます。評価もします。"},
    {u"EXCELからの読み込み", u"EXCELのファイルを読み込みます"},
    {u"クラス分け", u"いろいろなテストのデータからクラス分けをします"},
    {u"基礎資料作成", u"クラス分けの基礎資料を作成します"},
    {u"クラス分け、仕上げ", u"保存されたクラス分けのデータを修正、仕上げをします"},
    {u"男女混合、男子校･女子校", u"男女混合名簿、または男子のみ、女子のみの場合の使用します"},
    {u"男女別名簿", u"男女別名簿の場合使用します"},
    {u"小テストの作成・追加", u""},
    {u"終了", u""},
};

QString text(const char16_t* s) { return QString::fromUtf16(s); }

}  // namespace

MainMenu::MainMenu(AppContext& app, MenuDestinations& screens, QWidget* parent)
    : QWidget(parent), app_(app), screens_(screens) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("初期画面"));
  auto* layout = new QVBoxLayout(this);
  auto* title = new QLabel(QStringLiteral("学年の成績処理"), this);
  title->setObjectName(QStringLiteral("TitleLabel"));
  QFont f = title->font();
  f.setPointSize(f.pointSize() + 8);
  f.setBold(true);
  title->setFont(f);
  title->setAlignment(Qt::AlignCenter);
  layout->addWidget(title);
  groups_[0] = makeGroup(QStringLiteral("MainGroup"), {1, 3, 4, 9, 10, 2, 16});
  groups_[1] = makeGroup(QStringLiteral("NamesGroup"), {5, 6});
  groups_[2] = makeGroup(QStringLiteral("NewRosterGroup"), {13, 14});
  groups_[3] = makeGroup(QStringLiteral("SubjectFileGroup"), {7, 8, 15});
  groups_[4] = makeGroup(QStringLiteral("ClassDivisionGroup"), {11, 12});
  for (QWidget* g : groups_) layout->addWidget(g);
  layout->addStretch();
  auto* guide = AddGuideButton(app_, *this);
  guide->setMinimumHeight(32);
  layout->addWidget(guide, 0, Qt::AlignRight);
  showGroup(Group::Main);
  resize(420, 520);

  connect(button(3), &QPushButton::clicked, this, [this] { showGroup(Group::Names); });
  connect(button(4), &QPushButton::clicked, this, [this] { showGroup(Group::SubjectFile); });
  connect(button(5), &QPushButton::clicked, this, [this] { showGroup(Group::NewRoster); });
  connect(button(10), &QPushButton::clicked, this, [this] { showGroup(Group::ClassDivision); });
  connect(button(9), &QPushButton::clicked, this, [this] {
    hide();
    screens_.importScreen().show();
  });
  connect(button(16), &QPushButton::clicked, this, [this] { app_.endProgram(); });
  connect(button(1), &QPushButton::clicked, this, &MainMenu::openScoreEntry);
  connect(button(6), &QPushButton::clicked, this, &MainMenu::openNames);
  connect(button(2), &QPushButton::clicked, this, &MainMenu::openTransfer);
  connect(button(7), &QPushButton::clicked, this, &MainMenu::openSubjectExtraction);
  connect(button(8), &QPushButton::clicked, this, [this] { openSubjectFile(8); });
  connect(button(15), &QPushButton::clicked, this, [this] { openSubjectFile(15); });
  connect(button(11), &QPushButton::clicked, this, &MainMenu::openDivisionBase);
  connect(button(12), &QPushButton::clicked, this, &MainMenu::openDivisionFinish);
  connect(button(13), &QPushButton::clicked, this, &MainMenu::buildMixedRoster);
  connect(button(14), &QPushButton::clicked, this, &MainMenu::buildSeparateRoster);
}

QWidget* MainMenu::makeGroup(const QString& name, const QList<int>& numbers) {
  auto* group = new QWidget(this);
  group->setObjectName(name);
  auto* layout = new QVBoxLayout(group);
  for (int n : numbers) {
    auto* b = new QPushButton(text(kButtons[n].caption), group);
    b->setObjectName(QStringLiteral("Command%1").arg(n));
    const QString tip = text(kButtons[n].tooltip);
    if (!tip.isEmpty()) b->setToolTip(tip);
    b->setMinimumHeight(40);
    layout->addWidget(b);
    buttons_[n] = b;
    if (!group->focusProxy()) group->setFocusProxy(b);
  }
  return group;
}

QPushButton* MainMenu::button(int number) const { return number >= 1 && number <= 16 ? buttons_[number] : nullptr; }

void MainMenu::showGroup(Group group) {
  for (int i = 0; i < 5; ++i) groups_[i]->setVisible(i == static_cast<int>(group));
  // The keyboard starts on the group's first button, so Space or Return
  // goes on without the mouse.
  groupWidget(group)->setFocus();
}

void MainMenu::closeEvent(QCloseEvent* event) {
  event->ignore();
  app_.endProgram();
}

bool MainMenu::loadInto(Screen& screen, const std::function<void()>& afterCount) {
  const QString path = ShowOpenDataDialog(app_, *this, FileDialogSettings::dataFiles());
  if (path.isEmpty()) return false;
  // Whatever the screen was left doing with its last table ends here.
  screen.startAfresh();
  if (!LoadIntoScreen(app_, screen, path, afterCount)) return false;
  hide();
  screen.show();
  return true;
}

void MainMenu::openScoreEntry() {
  app_.dialogs().message(QStringLiteral("点数を入力するファイルを開いてください。"), QStringLiteral("ファイルを開く"));
  groupWidget(Group::Main)->hide();
  ScoreScreen& form3 = screens_.scores();
  if (!loadInto(form3, [&] { form3.headerCounted(); })) {
    showGroup(Group::Main);
    return;
  }
  form3.afterLoad();
}

void MainMenu::openNames() {
  NameEntryScreen& form2 = screens_.nameEntry();
  if (!loadInto(form2)) return;
  form2.afterLoad(NameEntryScreen::Opened::ForCorrection);
}

void MainMenu::openTransfer() {
  app_.dialogs().message(QStringLiteral("転入生を追加するファイルを開いてください。"));
  NameEntryScreen& form2 = screens_.nameEntry();
  if (loadInto(form2)) form2.afterLoad(NameEntryScreen::Opened::ForTransfers);
  showGroup(Group::Main);
}

void MainMenu::openSubjectExtraction() {
  groupWidget(Group::SubjectFile)->hide();
  app_.dialogs().message(QStringLiteral("元のファイルを開いてください。"), QStringLiteral("教科用ファイル作成"));
  Screen& form6 = screens_.subjectExtraction();
  form6.setTableVisible(false);
  const bool loaded = loadInto(form6);
  form6.setTableVisible(true);
  if (!loaded) {
    showGroup(Group::Main);
    show();
    return;
  }
  app_.state().BaseColumnCount = 4;
}

void MainMenu::openSubjectFile(int number) {
  groupWidget(Group::SubjectFile)->hide();
  const bool quiz = number == 15;
  app_.dialogs().message(QStringLiteral("元の教科ファイルを開いてください。"),
                         quiz ? QStringLiteral("小テスト作成") : QStringLiteral("データの追加"));
  SharedState& st = app_.state();
  Screen& receiving = quiz ? static_cast<Screen&>(screens_.quiz()) : screens_.subjectFile();
  if (!loadInto(receiving, [&] { st.BaseColumnCount = st.ColumnCount; })) {
    groupWidget(Group::SubjectFile)->show();
    return;
  }
  app_.dialogs().message(QStringLiteral("転入生があれば、必ず追加しておいてください。"));
}

void MainMenu::openDivisionBase() {
  app_.dialogs().message(QStringLiteral("クラス分けのもとになるファイルを開いてください。"));
  SharedState& st = app_.state();
  if (!loadInto(screens_.divisionBase(), [&] { st.BaseColumnCount = st.ColumnCount; })) return;
  app_.dialogs().message(QStringLiteral("転入生があれば、必ず追加しておいてください。"));
}

void MainMenu::openDivisionFinish() {
  app_.dialogs().message(QStringLiteral("クラス分けしたファイルを開いてください。"));
  SharedState& st = app_.state();
  NewClassScreen& form16 = screens_.newClasses();
  if (!loadInto(form16, [&] { st.BaseColumnCount = st.ColumnCount; })) {
    showGroup(Group::ClassDivision);
    return;
  }
  form16.startWithLoadedList();
}

namespace {

// Asks one whole number; nothing when the answer is empty (the caller stops
// quietly) or, after a message, when it is not a number.
std::optional<int> askWhole(Dialogs& dialogs, const QString& prompt, const QString& title, bool* cancelled) {
  const QString answer = dialogs.input(prompt, title);
  *cancelled = answer.isEmpty();
  if (*cancelled) return std::nullopt;
  auto value = ReadWholeAnswer(answer);
  if (!value) dialogs.message(QStringLiteral("「%1」は数として読めません。名簿は作成しませんでした。").arg(answer));
  return value;
}

}  // namespace

void MainMenu::buildMixedRoster() {
  Dialogs& dialogs = app_.dialogs();
  bool cancelled = false;
  auto count =
      askWhole(dialogs, QStringLiteral("クラス数を入力してください。"), QStringLiteral("クラス数入力"), &cancelled);
  if (cancelled) {
    showGroup(Group::NewRoster);
    return;
  }
  if (!count) return;
  if (auto why = CheckClassCount(*count)) return dialogs.message(*why);
  QVector<int> sizes;
  for (int k = 1; k <= *count; ++k) {
    auto size = askWhole(dialogs, QStringLiteral("%1組の人数を入力してください。").arg(k),
                         QStringLiteral("クラス人数入力"), &cancelled);
    if (!size) return;
    if (auto why = CheckClassSize(k, *size)) return dialogs.message(*why);
    sizes.append(*size);
  }
  if (auto why = CheckTotalStudents(sizes)) return dialogs.message(*why);
  NameEntryScreen& form2 = screens_.nameEntry();
  form2.startAfresh();
  FillMixedRoster(app_.state(), form2, sizes);
  form2.setDocumentPath({});
  hide();
  form2.show();
}

void MainMenu::buildSeparateRoster() {
  Dialogs& dialogs = app_.dialogs();
  bool cancelled = false;
  auto count =
      askWhole(dialogs, QStringLiteral("クラス数を入力してください。"), QStringLiteral("クラス数入力"), &cancelled);
  if (!count) return;
  if (auto why = CheckClassCount(*count)) return dialogs.message(*why);
  const QString title = QStringLiteral("クラス人数入力");
  const char16_t* prompts[4] = {
      u"組の男子の最初の出席番号を入力してください。", u"組の男子の最後の出席番号を入力してください。",
      u"組の女子の最初の出席番号を入力してください。", u"組の女子の最後の出席番号を入力してください。"};
  QVector<SeparateClassRanges> classes;
  QVector<int> sizes;
  for (int k = 1; k <= *count; ++k) {
    int values[4];
    for (int i = 0; i < 4; ++i) {
      auto v = askWhole(dialogs, QString::number(k) + text(prompts[i]), title, &cancelled);
      if (!v) return;
      values[i] = *v;
    }
    SeparateClassRanges r{values[0], values[1], values[2], values[3]};
    if (auto why = CheckSeparateRanges(k, r)) return dialogs.message(*why);
    classes.append(r);
    sizes.append((r.lastBoy - r.firstBoy + 1) + (r.lastGirl - r.firstGirl + 1));
  }
  if (auto why = CheckTotalStudents(sizes)) return dialogs.message(*why);
  NameEntryScreen& form2 = screens_.nameEntry();
  form2.startAfresh();
  BuildSeparateRoster(app_.state(), form2, classes);
  form2.setDocumentPath({});
  hide();
  form2.show();
}

}  // namespace gakunen
