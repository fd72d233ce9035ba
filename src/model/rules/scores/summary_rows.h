#pragma once

#include <QString>
#include <QStringList>

namespace gakunen {

class StudentTable;

// Labels of the rows that "学年平均" and "度数分布" append under the students.
// They stand in column 2 with columns 0 and 1 empty.
inline const QString kYearSumLabel = QStringLiteral("学年合計点");
inline const QString kYearCountLabel = QStringLiteral("学年受験人数");
inline const QString kYearAverageLabel = QStringLiteral("学年平均点");

// Subject bands from the top: "90点以上", "80点代", ..., "10点代", "10点未満".
const QStringList& SubjectBandLabelsFromTop();
// Total bands from the top: "400点以上", "300点代", "200点代", "100点代", "100点未満".
const QStringList& TotalBandLabelsFromTop();

// The first row of the table that begins year-group or frequency rows, or
// -1 when there is none. A table saved after "学年平均" or "度数分布" carries
// them; counting them again as students would double every figure.
int FirstSummaryRow(const StudentTable& table);

// Said when a table already carries such rows.
QString SummaryRowsPresentMessage();

}  // namespace gakunen
