#include "model/rules/scores/summary_rows.h"

#include "model/table/student_table.h"

namespace gakunen {

const QStringList& SubjectBandLabelsFromTop() {
  static const QStringList labels = {QStringLiteral("90点以上"), QStringLiteral("80点代"), QStringLiteral("70点代"),
                                     QStringLiteral("60点代"),   QStringLiteral("50点代"), QStringLiteral("40点代"),
                                     QStringLiteral("30点代"),   QStringLiteral("20点代"), QStringLiteral("10点代"),
                                     QStringLiteral("10点未満")};
  return labels;
}

const QStringList& TotalBandLabelsFromTop() {
  static const QStringList labels = {QStringLiteral("400点以上"), QStringLiteral("300点代"), QStringLiteral("200点代"),
                                     QStringLiteral("100点代"), QStringLiteral("100点未満")};
  return labels;
}

int FirstSummaryRow(const StudentTable& table) {
  const QStringList& bands = SubjectBandLabelsFromTop();
  // A label alone could be a student's name; the pair of labels on rows
  // without class or number is what the two operations write.
  for (int r = 1; r + 1 < table.rows(); ++r) {
    if (!table.text(r, 0).isEmpty() || !table.text(r, 1).isEmpty()) continue;
    const QString& label = table.text(r, 2);
    const QString& next = table.text(r + 1, 2);
    if ((label == kYearSumLabel && next == kYearCountLabel) || (label == bands[0] && next == bands[1])) return r;
  }
  return -1;
}

QString SummaryRowsPresentMessage() {
  return QStringLiteral(
      "この表の最後には、すでに学年平均または度数分布の行があります。"
      "それらの行を生徒として数えてしまうため、この操作はできません。");
}

}  // namespace gakunen
