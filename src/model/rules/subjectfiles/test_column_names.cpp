#include "model/rules/subjectfiles/test_column_names.h"

#include "model/ports/dialogs.h"
#include "model/table/numbers.h"
#include "model/table/student_table.h"

#include <algorithm>

namespace gakunen::subjectfiles {

TestNumberChoice ReadTestNumber(const QString& answer, int tableColumns) {
  TestNumberChoice choice;
  const auto k = ReadWholeAnswer(answer);
  const int tests = std::min(std::max(tableColumns - 3, 0), kTestNameSlots);
  if (!k) {
    choice.refusal =
        QStringLiteral("「%1」は数として読めません。何番目のテストかを数字で入力してください。").arg(answer.trimmed());
    return choice;
  }
  if (tests == 0) {
    choice.refusal = QStringLiteral("この表にはテストの列がありません。列名は変更しませんでした。");
    return choice;
  }
  if (*k < 1 || *k > tests) {
    choice.refusal =
        QStringLiteral("%1番目のテストの列はありません。1から%2までの数を入力してください。").arg(*k).arg(tests);
    return choice;
  }
  choice.test = *k;
  choice.column = *k + 2;
  return choice;
}

std::optional<QString> CheckTestName(const QString& name) {
  if (TextValue(name) > 0)
    return QStringLiteral(
               "「%1」は数字で始まるため列名にできません（保存したファイルを正しく開けなくなります）。"
               "漢数字を使用してください。列名は変更しませんでした。")
        .arg(name);
  return std::nullopt;
}

void RenameTestColumn(Dialogs& dialogs, StudentTable& table, QStringList& testNames, EmptyTestName emptyName) {
  testNames = QStringList(kTestNameSlots, QString());
  const QString answer = dialogs.input(QStringLiteral("いくつめのテストの名前を変更しますか？"));
  if (answer.isEmpty()) return;
  const TestNumberChoice choice = ReadTestNumber(answer, table.cols());
  if (!choice.ok()) {
    dialogs.message(choice.refusal);
    return;
  }
  dialogs.message(QStringLiteral("2文字で入力してください。"));
  dialogs.message(QStringLiteral("漢数字を使用してください。"));
  const QString name =
      dialogs.input(QString::number(choice.test) + QStringLiteral("番目のテストの名前を入力してください。"));
  if (name.isEmpty() && emptyName == EmptyTestName::KeepTitle) return;
  if (auto why = CheckTestName(name)) {
    dialogs.message(*why);
    return;
  }
  testNames[choice.test - 1] = name;
  table.setText(0, choice.column, name);
}

}  // namespace gakunen::subjectfiles
