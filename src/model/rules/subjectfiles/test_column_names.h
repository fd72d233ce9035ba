#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace gakunen {

class Dialogs;
class StudentTable;

namespace subjectfiles {

// "列名変更" remembers the name it has just given in a list of this many texts.
constexpr int kTestNameSlots = 20;

// Test k (counted from 1) is column k + 2.
struct TestNumberChoice {
  int test = 0;
  int column = -1;
  QString refusal;  // why the answer names no test column; empty when it does
  bool ok() const { return refusal.isEmpty(); }
};

// Reads the answer to "いくつめのテストの名前を変更しますか？" for a table of
// `tableColumns` columns.
TestNumberChoice ReadTestNumber(const QString& answer, int tableColumns);

// A title the data file reader would take for the first student's class
// (one that begins with a number above 0) would cut the header short when the
// file is opened again; such names are refused.
std::optional<QString> CheckTestName(const QString& name);

// What an empty answer to the name question does.
enum class EmptyTestName { KeepTitle, ClearTitle };

// The "列名変更" sequence: which test, the two pieces of advice, the name.
// `testNames` is emptied first and receives the name given.
void RenameTestColumn(Dialogs& dialogs, StudentTable& table, QStringList& testNames, EmptyTestName emptyName);

}  // namespace subjectfiles
}  // namespace gakunen
