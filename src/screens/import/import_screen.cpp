#include "screens/import/import_screen.h"

#include "model/files/spreadsheet_import.h"
#include "model/ports/dialogs.h"
#include "model/session/shared_state.h"
#include "model/table/student_table.h"
#include "screens/common/file_sequences.h"

#include <QPushButton>

namespace gakunen {

ImportScreen::ImportScreen(AppContext& app, QWidget* parent)
    : Screen(app, QStringLiteral("Form11"), QStringLiteral("EXCELからの読み込み画面"), parent) {
  auto* read = addButton(QStringLiteral("Command1"), QStringLiteral("EXCELからの読み込み"),
                         QStringLiteral("EXCELでCSV形式で保存されたデータを読み込みます"));
  auto* save =
      addButton(QStringLiteral("Command2"), QStringLiteral("保存"), QStringLiteral("このプログラムの形式で保存します"));
  auto* end = addButton(QStringLiteral("Command3"), QStringLiteral("終了"), QStringLiteral("プログラムを終了します"));
  auto* back =
      addButton(QStringLiteral("Command4"), QStringLiteral("メニューに戻る"), QStringLiteral("最初の画面に戻ります"));

  connect(read, &QPushButton::clicked, this, &ImportScreen::read);
  connect(save, &QPushButton::clicked, this, &ImportScreen::save);
  connect(end, &QPushButton::clicked, this, [this] { app_.endProgram(); });
  connect(back, &QPushButton::clicked, this, &Screen::returnToMenu);
}

void ImportScreen::read() {
  setTableVisible(false);
  const QString path = ShowOpenDataDialog(app_, *this, FileDialogSettings::importFiles());
  if (path.isEmpty()) {
    setTableVisible(true);
    return;
  }
  std::optional<QString> failure;
  QString notice;
  {
    BusyScope busy(app_);
    failure = spreadsheet::ImportSpreadsheet(state(), *this, path, &notice);
  }
  setTableVisible(true);
  // What was read is a spreadsheet's table, not a data file of its own.
  if (!failure) setDocumentPath({});
  if (failure) dialogs().message(*failure);
  if (!notice.isEmpty()) dialogs().message(notice);
}

void ImportScreen::save() {
  if (table().rows() < 1 || table().cols() < 1) {
    dialogs().message(
        QStringLiteral("保存する表がありません。先に「EXCELからの読み込み」でCSVファイルを読み込んでください。"));
    return;
  }
  dialogs().message(QStringLiteral("ファイル名に、拡張子「.dat」を必ずつけてください。"));
  state().ColumnCount = table().cols();
  state().RowCount = table().rows();
  SaveScreenTable(app_, *this, FileDialogSettings::importFiles());
}

}  // namespace gakunen
