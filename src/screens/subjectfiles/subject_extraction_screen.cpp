#include "screens/subjectfiles/subject_extraction_screen.h"

#include "model/ports/dialogs.h"
#include "model/rules/subjectfiles/subject_columns.h"
#include "screens/subjectfiles/subject_choice_panel.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace gakunen {

SubjectExtractionScreen::SubjectExtractionScreen(AppContext& app, QWidget* parent)
    : Screen(app, QStringLiteral("Form6"), QStringLiteral("教科用ファイルを開く画面"), parent) {
  auto* choose =
      addButton(QStringLiteral("Command1"), QStringLiteral("教科選択"), QStringLiteral("特定の教科を抽出します"));
  panel_ = new SubjectChoicePanel(QStringLiteral("Command3"),
                                  QStringLiteral("教科を選んでからここをクリックしてください"), this);
  buttonColumn()->addWidget(panel_);
  panel_->hide();
  addReturnToMenuButton();

  connect(choose, &QPushButton::clicked, this, [this] {
    panel_->clearChoice();
    panel_->show();
  });
  connect(panel_->okButton(), &QPushButton::clicked, this, &SubjectExtractionScreen::extract);
}

void SubjectExtractionScreen::startAfresh() {
  panel_->clearChoice();
  panel_->hide();
}

void SubjectExtractionScreen::extract() {
  const int choice = panel_->chosen();
  if (choice < 0) {
    dialogs().message(QStringLiteral("どれかを選んでください。"));
    return;
  }
  const QString subject = subjectfiles::SubjectChoices().at(choice);
  const int column = subjectfiles::FindSubjectColumn(table(), subject);
  if (column < 0) {
    dialogs().message(subjectfiles::MissingSubjectMessage(subject));
    return;
  }
  hide();
  emit subjectChosen(column);
  dialogs().message(QStringLiteral("転入生があれば、必ず追加しておいてください。"), QStringLiteral("転入生"));
  panel_->setVisible(true);
}

}  // namespace gakunen
