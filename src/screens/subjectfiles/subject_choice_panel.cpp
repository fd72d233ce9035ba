#include "screens/subjectfiles/subject_choice_panel.h"

#include "model/rules/subjectfiles/subject_columns.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QPushButton>
#include <QRadioButton>

namespace gakunen {

SubjectChoicePanel::SubjectChoicePanel(const QString& okName, const QString& okTooltip, QWidget* parent)
    : QGroupBox(parent) {
  setObjectName(QStringLiteral("Frame1"));
  auto* layout = new QGridLayout(this);
  group_ = new QButtonGroup(this);
  const QStringList& subjects = subjectfiles::SubjectChoices();
  for (int i = 0; i < subjects.size(); ++i) {
    auto* option = new QRadioButton(subjects[i], this);
    option->setObjectName(QStringLiteral("Option1[%1]").arg(i));
    group_->addButton(option, i);
    layout->addWidget(option, i % 5, i / 5);
  }
  ok_ = new QPushButton(QStringLiteral("OK"), this);
  ok_->setObjectName(okName);
  ok_->setToolTip(okTooltip);
  ok_->setMinimumHeight(32);
  layout->addWidget(ok_, 5, 0, 1, 2);
}

void SubjectChoicePanel::clearChoice() {
  // An exclusive group keeps one option checked; lift that while clearing.
  group_->setExclusive(false);
  for (QAbstractButton* b : group_->buttons()) b->setChecked(false);
  group_->setExclusive(true);
}

int SubjectChoicePanel::chosen() const { return group_->checkedId(); }

QRadioButton* SubjectChoicePanel::option(int index) const { return qobject_cast<QRadioButton*>(group_->button(index)); }

}  // namespace gakunen
