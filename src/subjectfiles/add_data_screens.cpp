#include "subjectfiles/add_data_screens.h"

#include "core/shared_state.h"
#include "core/student_table.h"
#include "subjectfiles/subject_choice_panel.h"
#include "subjectfiles/subject_columns.h"
#include "subjectfiles/subject_file_screen.h"
#include "ui/dialogs.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace gakunen {

AddDataDisplayScreen::AddDataDisplayScreen(AppContext& app, QWidget* parent)
    : Screen(app, QStringLiteral("Form8"), QStringLiteral("教科用ファイルデータの追加ファイル表示画面"), parent) {
  auto* choose =
      addButton(QStringLiteral("Command1"), QStringLiteral("教科選択"), QStringLiteral("特定の教科を抽出します"));
  panel_ = new SubjectChoicePanel(QStringLiteral("Command2"),
                                  QStringLiteral("教科を選んだらここをクリックしてください"), this);
  buttonColumn()->addWidget(panel_);
  panel_->hide();
  auto* back = addButton(QStringLiteral("Command3"), QStringLiteral("前に戻る"), QStringLiteral("前の画面に戻ります"));
  auto* end = addButton(QStringLiteral("Command4"), QStringLiteral("終了"), QStringLiteral("プログラムを終了します"));

  connect(choose, &QPushButton::clicked, this, [this] {
    panel_->clearChoice();
    panel_->show();
  });
  connect(panel_->okButton(), &QPushButton::clicked, this, &AddDataDisplayScreen::extract);
  connect(back, &QPushButton::clicked, this, [this] {
    hide();
    if (QWidget* subjectScreen = app_.form(QStringLiteral("Form7"))) subjectScreen->show();
  });
  connect(end, &QPushButton::clicked, this, [this] { app_.endProgram(); });
}

std::optional<QString> AddDataDisplayScreen::loadOtherTest(const QString& path, QString* notice) {
  panel_->hide();
  return subjectfiles::ReadOtherTestFile(state(), *this, path, notice);
}

void AddDataDisplayScreen::extract() {
  hide();
  const int choice = panel_->chosen();
  if (choice < 0) {
    show();
    dialogs().message(QStringLiteral("どれかを選んでください。"));
    panel_->show();
    return;
  }
  const QString subject = subjectfiles::SubjectChoices().at(choice);
  const int column = subjectfiles::FindSubjectColumn(table(), subject);
  auto* extractScreen = app_.formAs<AddDataExtractScreen>(QStringLiteral("Form9"));
  if (column < 0 || !extractScreen) {
    show();
    dialogs().message(subjectfiles::MissingSubjectMessage(subject));
    panel_->show();
    return;
  }
  subjectfiles::BuildSubjectTable(table(), column, extractScreen->table());
  // A working copy on its way into the subject file, never saved itself:
  // ending the program must not count it as unsaved data.
  extractScreen->table().setModified(false);
  extractScreen->setTableVisible(true);
  extractScreen->show();
  panel_->setVisible(true);
}

AddDataExtractScreen::AddDataExtractScreen(AppContext& app, QWidget* parent)
    : Screen(app, QStringLiteral("Form9"), QStringLiteral("教科用ファイルデータ追加教科選択後画面"), parent) {
  auto* add = addButton(QStringLiteral("Command1"), QStringLiteral("データの追加"),
                        QStringLiteral("元の教科用データにこのデータを追加します"));
  connect(add, &QPushButton::clicked, this, &AddDataExtractScreen::append);
}

void AddDataExtractScreen::append() {
  auto* subjectScreen = app_.formAs<SubjectFileScreen>(QStringLiteral("Form7"));
  if (!subjectScreen) return;
  StudentTable& subject = subjectScreen->table();
  if (subject.cols() >= subjectfiles::kMaxTableColumns) {
    dialogs().message(subjectfiles::ColumnLimitMessage());
    return;
  }
  if (auto mismatch = subjectfiles::StudentCountMismatch(subject.rows(), table().rows())) dialogs().message(*mismatch);
  {
    BusyScope busy(app_);
    setTableVisible(false);
    subjectfiles::AppendTestColumn(subject, table());
    state().BaseColumnCount = subject.cols();
  }
  hide();
  subjectScreen->show();
}

}  // namespace gakunen
