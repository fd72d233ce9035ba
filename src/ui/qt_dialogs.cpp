#include "ui/qt_dialogs.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>

#include "ui/user_settings.h"

#include <algorithm>

namespace gakunen {

namespace {

constexpr int kTwipsPerPixel = 15;
const QString kLastFolderKey = QStringLiteral("files/lastFolder");

QString lastFolder() {
  auto settings = OpenUserSettings();
  return settings ? settings->value(kLastFolderKey).toString() : QString();
}

void rememberFolderOf(const QString& file) {
  if (auto settings = OpenUserSettings()) settings->setValue(kLastFolderKey, QFileInfo(file).absolutePath());
}

bool isFolder(const QString& path) {
  const QFileInfo folder(path);
  return !path.isEmpty() && folder.isAbsolute() && folder.isDir();
}

QWidget* dialogParent() { return QApplication::activeWindow(); }

}  // namespace

QString QtDialogs::title(const QString& given) const {
  if (!given.isEmpty()) return given;
  const QString name = QGuiApplication::applicationDisplayName();
  return name.isEmpty() ? QCoreApplication::applicationName() : name;
}

void QtDialogs::message(const QString& text, const QString& title) {
  QMessageBox box(QMessageBox::NoIcon, this->title(title), text, QMessageBox::Ok, dialogParent());
  box.setDefaultButton(QMessageBox::Ok);
  box.exec();
}

QString QtDialogs::input(const QString& prompt, const QString& title, std::optional<QPoint> position) {
  QInputDialog dialog(dialogParent());
  dialog.setWindowTitle(this->title(title));
  dialog.setLabelText(prompt);
  dialog.setInputMode(QInputDialog::TextInput);
  dialog.setTextValue(QString());
  dialog.setOkButtonText(QStringLiteral("OK"));
  dialog.setCancelButtonText(QStringLiteral("キャンセル"));
  if (position) {
    QPoint corner(position->x() / kTwipsPerPixel, position->y() / kTwipsPerPixel);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
      const QRect area = screen->availableGeometry();
      dialog.adjustSize();
      corner += screen->geometry().topLeft();
      corner.setX(std::clamp(corner.x(), area.left(), std::max(area.left(), area.right() - dialog.width())));
      corner.setY(std::clamp(corner.y(), area.top(), std::max(area.top(), area.bottom() - dialog.height())));
    }
    dialog.move(corner);
  }
  if (dialog.exec() != QDialog::Accepted) return {};
  return dialog.textValue();
}

QString QtDialogs::qtFilter(const QString& filter) {
  if (filter.trimmed().isEmpty()) return {};
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList out;
  for (qsizetype i = 0; i < parts.size(); i += 2) {
    const QString description = parts[i].trimmed();
    QStringList patterns;
    if (i + 1 < parts.size()) {
      for (const QString& p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts))
        if (!p.trimmed().isEmpty()) patterns << p.trimmed();
    }
    if (patterns.isEmpty()) {
      // A description without patterns stands for its own pattern ("*.dat").
      if (!description.isEmpty()) out << description;
      continue;
    }
    const QString joined = patterns.join(QLatin1Char(' '));
    const QString bracketed = QLatin1Char('(') + joined + QLatin1Char(')');
    if (description.endsWith(bracketed))
      out << description;
    else if (description.isEmpty())
      out << joined;
    else
      out << description + QLatin1Char(' ') + bracketed;
  }
  return out.join(QStringLiteral(";;"));
}

QString QtDialogs::startFolder(const FileDialogSettings& settings, const QString& lastUsed) {
  const QString proposedFolder =
      settings.proposedPath.isEmpty() ? QString() : QFileInfo(settings.proposedPath).absolutePath();
  for (const QString& candidate : {proposedFolder, lastUsed, settings.initialFolder})
    if (isFolder(candidate)) return QFileInfo(candidate).absoluteFilePath();
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (!documents.isEmpty() && QFileInfo(documents).isDir()) return documents;
  return QDir::homePath();
}

QString QtDialogs::fileDialog(const FileDialogSettings& settings, const QString& title, bool save) {
  QFileDialog dialog(dialogParent(), this->title(title), startFolder(settings, lastFolder()),
                     qtFilter(settings.filter));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  QString suffix = settings.defaultExtension.trimmed();
  while (suffix.startsWith(QLatin1Char('.'))) suffix.remove(0, 1);
  dialog.setDefaultSuffix(suffix);
  // Labels of the dialog's own widgets, in case no translation is loaded.
  dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("場所:"));
  dialog.setLabelText(QFileDialog::FileName, QStringLiteral("ファイル名:"));
  dialog.setLabelText(QFileDialog::FileType, QStringLiteral("ファイルの種類:"));
  dialog.setLabelText(QFileDialog::Accept, save ? QStringLiteral("保存(&S)") : QStringLiteral("開く(&O)"));
  dialog.setLabelText(QFileDialog::Reject, QStringLiteral("キャンセル"));
  if (save && !settings.proposedPath.isEmpty()) dialog.selectFile(QFileInfo(settings.proposedPath).fileName());
  if (dialog.exec() != QDialog::Accepted) return {};
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return {};
  rememberFolderOf(chosen.first());
  return chosen.first();
}

QString QtDialogs::openFile(const FileDialogSettings& settings, const QString& title) {
  return fileDialog(settings, title, false);
}

QString QtDialogs::saveFile(const FileDialogSettings& settings, const QString& title) {
  return fileDialog(settings, title, true);
}

bool QtDialogs::question(const QString& text, const QString& title) {
  QMessageBox box(QMessageBox::Question, this->title(title), text, QMessageBox::Yes | QMessageBox::No, dialogParent());
  box.setDefaultButton(QMessageBox::No);
  box.button(QMessageBox::Yes)->setText(QStringLiteral("はい(&Y)"));
  box.button(QMessageBox::No)->setText(QStringLiteral("いいえ(&N)"));
  return box.exec() == QMessageBox::Yes;
}

}  // namespace gakunen
