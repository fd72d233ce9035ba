#include "model/rules/subjectfiles/viewpoint_settings.h"

#include "model/files/whole_file.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace gakunen::subjectfiles {

namespace {

const QString kColumns = QStringLiteral("columns");
const QString kColumn = QStringLiteral("column");
const QString kViewpoint = QStringLiteral("viewpoint");
const QString kFullMarks = QStringLiteral("fullMarks");
const QString kWeight = QStringLiteral("weight");
const QString kThresholdA = QStringLiteral("thresholdA");
const QString kThresholdB = QStringLiteral("thresholdB");
const QString kConversion = QStringLiteral("conversion");
const QString kHandChanged = QStringLiteral("handChanged");
const QString kClass = QStringLiteral("class");
const QString kNumber = QStringLiteral("number");
const QString kResult = QStringLiteral("result");

// A text member into `out`, which keeps its default when the member is missing;
// false when it is there but not text.
bool readText(const QJsonObject& object, const QString& key, QString& out) {
  const QJsonValue value = object.value(key);
  if (value.isUndefined()) return true;
  if (!value.isString()) return false;
  out = value.toString();
  return true;
}

// Calls `read` with each object of an array member; true when the member is
// missing, false when it or one of its entries is not what `read` takes.
template <typename Read>
bool readObjects(const QJsonValue& value, Read read) {
  if (value.isUndefined()) return true;
  if (!value.isArray()) return false;
  for (const QJsonValue& entry : value.toArray())
    if (!entry.isObject() || !read(entry.toObject())) return false;
  return true;
}

bool readColumns(const QJsonValue& value, ViewpointSetup& setup) {
  return readObjects(value, [&](const QJsonObject& object) {
    const int col = object.value(kColumn).toInt(-1);
    const qsizetype viewpoint = ViewpointChoices().indexOf(object.value(kViewpoint).toString());
    if (col < 3 || col > 22 || viewpoint < 0) return false;
    ColumnSetup column;
    column.viewpoint = static_cast<Viewpoint>(viewpoint);
    if (!readText(object, kFullMarks, column.fullMarks) || !readText(object, kWeight, column.weight)) return false;
    setup.columns[col] = column;
    return true;
  });
}

bool readConversion(const QJsonValue& value, ViewpointSetup& setup) {
  if (value.isUndefined()) return true;
  if (!value.isObject()) return false;
  const QJsonObject object = value.toObject();
  for (auto it = object.begin(); it != object.end(); ++it) {
    const qsizetype at = LetterCombinations().indexOf(it.key());
    const int grade = it.value().toInt(0);
    if (at < 0 || grade < 1 || grade > 5) return false;
    setup.conversion[static_cast<size_t>(at)] = grade;
  }
  return true;
}

bool readMarks(const QJsonValue& value, HandMarks& marks) {
  return readObjects(value, [&](const QJsonObject& object) {
    const qsizetype result = ViewpointResultTitles().indexOf(object.value(kResult).toString());
    HandMark mark;
    if (result < 0 || !readText(object, kClass, mark.classText) || !readText(object, kNumber, mark.number))
      return false;
    mark.result = static_cast<int>(result);
    marks.insert(mark);
    return true;
  });
}

}  // namespace

QString ViewpointSettingsPath(const QString& dataFile) {
  QString base = dataFile;
  if (base.endsWith(QStringLiteral(".dat"), Qt::CaseInsensitive)) base.chop(4);
  return base + QStringLiteral(".kanten.json");
}

QByteArray EncodeViewpointSettings(const ViewpointRecord& record) {
  const ViewpointSetup& setup = record.setup;
  const ColumnSetup fresh;
  QJsonArray columns;
  for (const auto& [col, column] : setup.columns) {
    if (column.viewpoint == Viewpoint::None && column.fullMarks == fresh.fullMarks && column.weight == fresh.weight)
      continue;
    columns.append(QJsonObject{{kColumn, col},
                               {kViewpoint, ViewpointChoices()[static_cast<int>(column.viewpoint)]},
                               {kFullMarks, column.fullMarks},
                               {kWeight, column.weight}});
  }
  QJsonObject conversion;
  for (int i = 0; i < kCombinations; ++i) conversion.insert(LetterCombinations()[i], setup.conversion[i]);
  QJsonObject root{
      {kColumns, columns}, {kThresholdA, setup.thresholdA}, {kThresholdB, setup.thresholdB}, {kConversion, conversion}};
  if (!record.marks.empty()) {
    QJsonArray marks;
    for (const HandMark& mark : record.marks)
      marks.append(QJsonObject{
          {kClass, mark.classText}, {kNumber, mark.number}, {kResult, ViewpointResultTitles()[mark.result]}});
    root.insert(kHandChanged, marks);
  }
  return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

std::optional<ViewpointRecord> DecodeViewpointSettings(const QByteArray& bytes) {
  QJsonParseError error;
  const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
  if (error.error != QJsonParseError::NoError || !document.isObject()) return std::nullopt;
  const QJsonObject root = document.object();
  ViewpointRecord record;
  ViewpointSetup& setup = record.setup;
  if (!readColumns(root.value(kColumns), setup) || !readText(root, kThresholdA, setup.thresholdA) ||
      !readText(root, kThresholdB, setup.thresholdB) || !readConversion(root.value(kConversion), setup) ||
      !readMarks(root.value(kHandChanged), record.marks))
    return std::nullopt;
  return record;
}

std::optional<QString> WriteViewpointSettings(const QString& dataFile, const ViewpointRecord& record) {
  const QString path = ViewpointSettingsPath(dataFile);
  if (auto failure = ReplaceWholeFile(path, EncodeViewpointSettings(record)))
    return QStringLiteral("観点別評価の設定を「%1」に保存できませんでした（%2）。データのファイルは保存してあります。")
        .arg(QFileInfo(path).fileName(), failure->reason());
  return std::nullopt;
}

std::optional<QString> RemoveViewpointSettings(const QString& dataFile) {
  QFile file(ViewpointSettingsPath(dataFile));
  if (!file.exists() || file.remove()) return std::nullopt;
  return QStringLiteral(
             "前の観点別評価の設定「%1」を消せませんでした。このファイルを開き直す前に、手で消してください。")
      .arg(QFileInfo(file).fileName());
}

SettingsRead ReadViewpointSettings(const QString& dataFile) {
  const QString path = ViewpointSettingsPath(dataFile);
  SettingsRead read;
  if (!QFileInfo::exists(path)) return read;
  const QString name = QFileInfo(path).fileName();
  QByteArray bytes;
  if (auto failure = ReadWholeFile(path, bytes)) {
    read.problem = QStringLiteral("観点別評価の設定「%1」を読めませんでした（%2）。初めの設定から始めます。")
                       .arg(name, failure->reason());
    return read;
  }
  read.record = DecodeViewpointSettings(bytes);
  if (!read.record)
    read.problem =
        QStringLiteral("観点別評価の設定「%1」の中身が正しくないため使えません。初めの設定から始めます。").arg(name);
  return read;
}

}  // namespace gakunen::subjectfiles
