#pragma once

class QPushButton;
class QWidget;

namespace gakunen {

class AppContext;

// The "使い方" button (object name Guide) of `window`, for the caller to
// place; it and F1 anywhere in the window open the teacher's guide.
QPushButton* AddGuideButton(AppContext& app, QWidget& window);

}  // namespace gakunen
