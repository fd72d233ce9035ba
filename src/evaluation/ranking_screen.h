#pragma once

#include "ui/screen.h"

namespace gakunen {

// Form5, "順位画面": the whole year-group in rank order, as the score
// screen's ranking hands it over (rank, class, number and name fixed at the
// left).
class RankingScreen : public Screen {
  Q_OBJECT
 public:
  explicit RankingScreen(AppContext& app, QWidget* parent = nullptr);
};

}  // namespace gakunen
