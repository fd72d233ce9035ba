#include "screens/common/guide_button.h"

#include "screens/common/app_context.h"

#include <QKeySequence>
#include <QPushButton>

namespace gakunen {

QPushButton* AddGuideButton(AppContext& app, QWidget& window) {
  auto* button = new QPushButton(QStringLiteral("使い方"), &window);
  button->setObjectName(QStringLiteral("Guide"));
  button->setToolTip(QStringLiteral("使い方の説明を開きます（F1）"));
  button->setShortcut(QKeySequence(Qt::Key_F1));
  // Return in an entry box must never open the guide.
  button->setAutoDefault(false);
  button->setFocusPolicy(Qt::TabFocus);
  QObject::connect(button, &QPushButton::clicked, &window, [&app] { app.showGuide(); });
  return button;
}

}  // namespace gakunen
