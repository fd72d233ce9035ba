#include "screens/classdivision/column_choice_panel.h"

#include "model/ports/dialogs.h"
#include "model/rules/classdivision/division_work.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace gakunen {

ColumnChoicePanel::ColumnChoicePanel(QWidget* parent) : QGroupBox(parent) {
  setObjectName(QStringLiteral("Frame1"));
  auto* layout = new QVBoxLayout(this);
  auto* label = new QLabel(QStringLiteral("抽出する列名を選んでください"), this);
  label->setObjectName(QStringLiteral("Label1"));
  label->setWordWrap(true);
  layout->addWidget(label);
  auto* grid = new QGridLayout;
  const QStringList& captions = DivisionChoiceCaptions();
  for (int i = 0; i < 10; ++i) {
    options_[i] = new QRadioButton(captions[i], this);
    options_[i]->setObjectName(QStringLiteral("Option1[%1]").arg(i));
    grid->addWidget(options_[i], i % 5, i / 5);
  }
  layout->addLayout(grid);
  ok_ = new QPushButton(QStringLiteral("OK"), this);
  ok_->setObjectName(QStringLiteral("Command3"));
  ok_->setToolTip(QStringLiteral("どれかを選んでからここをクリックしてください"));
  layout->addWidget(ok_);
  hide();
}

std::optional<QString> ColumnChoicePanel::chosenCaption() const {
  for (QRadioButton* option : options_)
    if (option->isChecked()) return option->text();
  return std::nullopt;
}

std::optional<int> ColumnChoicePanel::chosenColumn(const StudentTable& table, int columnCount, Dialogs& dialogs) {
  const auto caption = chosenCaption();
  if (!caption) {
    dialogs.message(QStringLiteral("どれかを選んでください。"));
    show();
    return std::nullopt;
  }
  const auto column = FindBasisColumn(table, columnCount, *caption);
  if (!column) {
    dialogs.message(MissingColumnMessage(*caption));
    show();
  }
  return column;
}

}  // namespace gakunen
