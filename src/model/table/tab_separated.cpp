#include "model/table/tab_separated.h"

#include "model/table/student_table.h"

namespace gakunen {

namespace {

QString field(const QString& text) {
  if (!text.contains(u'\t') && !text.contains(u'\n') && !text.contains(u'\r') && !text.contains(u'"')) return text;
  QString quoted = text;
  quoted.replace(u'"', QStringLiteral("\"\""));
  return u'"' + quoted + u'"';
}

}  // namespace

QString TabSeparated(const StudentTable& table, int top, int left, int bottom, int right) {
  QString out;
  for (int r = top; r <= bottom; ++r) {
    for (int c = left; c <= right; ++c) {
      if (c > left) out += u'\t';
      out += field(table.text(r, c));
    }
    out += u'\n';
  }
  return out;
}

}  // namespace gakunen
