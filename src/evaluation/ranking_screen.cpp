#include "evaluation/ranking_screen.h"

#include "core/student_table.h"

namespace gakunen {

RankingScreen::RankingScreen(AppContext& app, QWidget* parent)
    : Screen(app, QStringLiteral("Form5"), QStringLiteral("順位画面"), parent) {
  table().setFixedCols(4);
}

}  // namespace gakunen
