#include "model/table/class_sizes.h"

#include "model/session/shared_state.h"
#include "model/session/table_host.h"
#include "model/table/student_table.h"

namespace gakunen {

int PlainClassNumber(const QString& text) {
  if (text.isEmpty() || text.size() > 2 || text[0] == u'0') return 0;
  int value = 0;
  for (QChar ch : text) {
    if (ch < u'0' || ch > u'9') return 0;
    value = value * 10 + (ch.unicode() - u'0');
  }
  return value <= 15 ? value : 0;
}

void CountClassSizes(SharedState& state, TableHost& screen) {
  state.CurrentForm = &screen;
  // A caller that forgot to prepare the places must not make a class vanish.
  if (state.ClassSizes.size() < 15) state.ClassSizes.resize(15);
  // A table without any class must not keep the count of the one before.
  state.ClassCount = 0;
  const StudentTable& t = screen.table();
  for (int r = 1; r < state.RowCount; ++r) {
    const int k = PlainClassNumber(t.text(r, 0));
    if (k == 0) continue;
    ++state.ClassSizes[k - 1];
    state.ClassCount = k;
  }
}

}  // namespace gakunen
