#include "screens/scores/subject_selection_screen.h"

#include "model/ports/dialogs.h"
#include "model/rules/scores/score_operations.h"
#include "model/session/shared_state.h"
#include "model/table/student_table.h"
#include "screens/common/app_context.h"
#include "screens/common/guide_button.h"
#include "screens/common/screen.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace gakunen {

namespace {
constexpr int kLists = 9;
constexpr int kPreselected = 5;
}  // namespace

SubjectSelectionScreen::SubjectSelectionScreen(AppContext& app, QWidget* parent) : QWidget(parent), app_(app) {
  setObjectName(QStringLiteral("Form4"));
  setWindowTitle(QStringLiteral("教科選択画面"));
  auto* layout = new QVBoxLayout(this);

  auto* listRow = new QGridLayout;
  for (int i = 0; i < kLists; ++i) {
    auto* number = new QLabel(QString::number(i + 1), this);
    number->setAlignment(Qt::AlignCenter);
    listRow->addWidget(number, 0, i);
    auto* list = new QComboBox(this);
    list->setObjectName(QStringLiteral("Combo1[%1]").arg(i));
    list->setEditable(true);
    // The lists offer exactly their ten entries; a typed text is taken as it
    // stands without joining them.
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setMinimumWidth(72);
    listRow->addWidget(list, 1, i);
    lists_[i] = list;
  }
  layout->addLayout(listRow);

  auto* label1 = new QLabel(
      QStringLiteral(
          "★テストをしない教科は、その教科名を削除するか、\nプルダウンメニューの最後の空白を選択してください。"),
      this);
  label1->setObjectName(QStringLiteral("Label1"));
  layout->addWidget(label1);
  auto* label2 = new QLabel(
      QStringLiteral("★テストをする教科は、左につめてください。\nテストする教科の途中に空白を入れないでください。"),
      this);
  label2->setObjectName(QStringLiteral("Label2"));
  layout->addWidget(label2);

  auto* buttons = new QHBoxLayout;
  finish_ = new QPushButton(QStringLiteral("選択終了"), this);
  finish_->setObjectName(QStringLiteral("Command1"));
  finish_->setToolTip(QStringLiteral("テスト教科を選んだら、ここをクリックしてください"));
  finish_->setMinimumHeight(36);
  auto* back = new QPushButton(QStringLiteral("前に戻る"), this);
  back->setObjectName(QStringLiteral("Command2"));
  back->setToolTip(QStringLiteral("前の画面に戻ります"));
  back->setMinimumHeight(36);
  buttons->addStretch();
  buttons->addWidget(finish_);
  buttons->addWidget(back);
  buttons->addWidget(AddGuideButton(app_, *this));
  layout->addLayout(buttons);
  layout->addStretch();

  connect(finish_, &QPushButton::clicked, this, &SubjectSelectionScreen::finish);
  connect(back, &QPushButton::clicked, this, &SubjectSelectionScreen::goBack);
  resize(820, 240);
}

void SubjectSelectionScreen::open(Screen& scores) {
  scores_ = &scores;
  show();
  QStringList entries = SubjectNames();
  entries.append(QString());
  const QStringList& subjects = SubjectNames();
  for (int i = 0; i < kLists; ++i) {
    QComboBox* list = lists_[i];
    list->clear();
    list->addItems(entries);
    list->setCurrentIndex(i < kPreselected ? i : subjects.size());
    list->setEditText(i < kPreselected ? subjects[i] : QString());
  }
  finish_->setFocus();
}

QStringList SubjectSelectionScreen::listTexts() const {
  QStringList texts;
  for (QComboBox* list : lists_) texts.append(list->currentText());
  return texts;
}

void SubjectSelectionScreen::finish() {
  Screen* scores = scores_;
  if (!scores) return;
  const QStringList texts = listTexts();
  const StudentTable& table = scores->table();
  const QStringList losing = ColumnsHoldingEntries(table, SelectedColumnCount(texts, table.cols()));
  if (!losing.isEmpty() &&
      !app_.dialogs().question(
          QStringLiteral(
              "「%1」の列には入力したデータがあります。この選び方では、その列が表から消えます。よろしいですか？")
              .arg(losing.join(QStringLiteral("」「"))))) {
    return;
  }
  ApplyTestSubjects(app_.state(), *scores, texts);
  hide();
  scores->show();
}

void SubjectSelectionScreen::goBack() {
  hide();
  if (scores_) scores_->show();
}

void SubjectSelectionScreen::closeEvent(QCloseEvent* event) {
  event->ignore();
  app_.endProgram();
}

}  // namespace gakunen
