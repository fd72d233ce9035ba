#include "screens/common/start_position.h"

#include "model/ports/dialogs.h"
#include "model/session/shared_state.h"
#include "model/table/numbers.h"
#include "model/table/student_table.h"
#include "screens/common/screen.h"
#include "ui/grid_view.h"

#include <QLineEdit>
#include <algorithm>
#include <optional>

namespace gakunen {

namespace {

// The answer as a whole number; nothing when it is empty (the caller stops
// quietly) or, after a message, when it is not a number.
std::optional<int> askWhole(Dialogs& dialogs, const QString& prompt) {
  const QString answer = dialogs.input(prompt);
  if (answer.isEmpty()) return std::nullopt;
  auto value = ReadWholeAnswer(answer);
  if (!value) dialogs.message(QStringLiteral("「%1」は数として読めません。入力する位置は変わりません。").arg(answer));
  return value;
}

}  // namespace

bool AskStartPosition(AppContext& app, Screen& screen, QLineEdit& entry, QWidget& button) {
  SharedState& state = app.state();
  state.CurrentForm = &screen;
  Dialogs& dialogs = app.dialogs();
  const auto classNumber = askWhole(dialogs, QStringLiteral("何組から入力しますか？"));
  if (!classNumber) return false;
  const auto number = askWhole(dialogs, QStringLiteral("何番から入力しますか？"));
  if (!number) return false;

  screen.setTableVisible(false);
  const StudentTable& t = screen.table();
  const int end = std::min(state.RowCount, t.rows());
  int found = -1;
  // Class and number 0 would match blank rows such as totals at the bottom.
  const bool plausible = *classNumber > 0 && *number > 0;
  for (int r = 1; plausible && r < end; ++r) {
    if (TextValue(t.text(r, 0)) == *classNumber && TextValue(t.text(r, 1)) == *number) {
      found = r;
      break;
    }
  }
  screen.setTableVisible(true);
  if (found < 0) {
    dialogs.message(QStringLiteral("その組・番の生徒は見つかりません。"));
    return false;
  }

  state.CurrentRow = found;
  screen.grid()->showRow(found);
  button.setEnabled(true);
  entry.setEnabled(true);
  entry.setFocus();
  return true;
}

}  // namespace gakunen
