#include "screens/subjectfiles/add_data_screens.h"

#include "model/ports/dialogs.h"
#include "model/rules/subjectfiles/subject_columns.h"
#include "model/session/shared_state.h"
#include "model/table/student_table.h"
#include "screens/subjectfiles/subject_choice_panel.h"

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
    emit backRequested();
  });
  connect(end, &QPushButton::clicked, this, [this] { app_.endProgram(); });
}

void AddDataDisplayScreen::openOtherTest(const QString& path) {
  std::optional<QString> failure;
  QString notice;
  {
    BusyScope busy(app_);
    panel_->hide();
    failure = subjectfiles::ReadOtherTestFile(state(), *this, path, &notice);
  }
  if (failure) {
    dialogs().message(*failure);
    return;
  }
  setDocumentPath(path);
  if (!notice.isEmpty()) dialogs().message(notice);
  show();
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
  if (column < 0) {
    show();
    dialogs().message(subjectfiles::MissingSubjectMessage(subject));
    panel_->show();
    return;
  }
  emit subjectChosen(column);
  panel_->setVisible(true);
}

AddDataExtractScreen::AddDataExtractScreen(AppContext& app, QWidget* parent)
    : Screen(app, QStringLiteral("Form9"), QStringLiteral("教科用ファイルデータ追加教科選択後画面"), parent) {
  auto* add = addButton(QStringLiteral("Command1"), QStringLiteral("データの追加"),
                        QStringLiteral("元の教科用データにこのデータを追加します"));
  connect(add, &QPushButton::clicked, this, &AddDataExtractScreen::append);
}

void AddDataExtractScreen::showExtract(const StudentTable& test, int column, Screen& subjectFile) {
  subjectFile_ = &subjectFile;
  subjectfiles::BuildSubjectTable(test, column, table());
  setDocumentPath({});
  // A working copy on its way into the subject file, never saved itself:
  // ending the program must not count it as unsaved data.
  table().setModified(false);
  setTableVisible(true);
  show();
}

void AddDataExtractScreen::append() {
  Screen* subjectScreen = subjectFile_;
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
