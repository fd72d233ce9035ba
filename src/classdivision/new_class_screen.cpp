#include "classdivision/new_class_screen.h"

#include "ui/grid_view.h"

#include <QPushButton>

namespace gakunen {

NewClassScreen::NewClassScreen(AppContext& app, QWidget* parent)
    : Screen(app, QStringLiteral("Form16"), QStringLiteral("新クラス表示画面"), parent) {
  addButton(QStringLiteral("Command1"), QStringLiteral("印刷"), QStringLiteral("印刷します"));
  for (int i = 0; i < kMaxNewClasses; ++i) {
    auto* grid = new GridView(this);
    grid->setObjectName(QStringLiteral("MSFlexGrid2[%1]").arg(i));
    grid->hide();
    classGrids_[i] = grid;
  }
}

StudentTable& NewClassScreen::classTable(int index) { return classGrids_.at(index)->table(); }

std::array<StudentTable*, kMaxNewClasses> NewClassScreen::classTables() {
  std::array<StudentTable*, kMaxNewClasses> tables{};
  for (int i = 0; i < kMaxNewClasses; ++i) tables[i] = &classGrids_[i]->table();
  return tables;
}

void NewClassScreen::enablePrinting() {
  if (auto* print = findChild<QPushButton*>(QStringLiteral("Command1"))) print->setEnabled(true);
}

}  // namespace gakunen
