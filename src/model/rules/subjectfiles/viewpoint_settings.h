#pragma once

#include "model/rules/subjectfiles/viewpoints.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace gakunen::subjectfiles {

// The set-up of a subject file's viewpoints and the cells typed by hand,
// kept beside the data file; the data file itself stays as it always was.
struct ViewpointRecord {
  ViewpointSetup setup;
  HandMarks marks;
};

// The small UTF-8 file beside a data file: NAME.dat gives NAME.kanten.json
// (a name without ".dat" gets ".kanten.json" after the whole name).
QString ViewpointSettingsPath(const QString& dataFile);

// JSON with only what differs from a new column's set-up; read back, anything
// missing takes its default and anything of the wrong kind refuses the file.
QByteArray EncodeViewpointSettings(const ViewpointRecord& record);
std::optional<ViewpointRecord> DecodeViewpointSettings(const QByteArray& bytes);

// Written whole or not at all; the message to show when it could not be.
std::optional<QString> WriteViewpointSettings(const QString& dataFile, const ViewpointRecord& record);

// Removes the file beside a data file, where there is one; the message to
// show when it stays.
std::optional<QString> RemoveViewpointSettings(const QString& dataFile);

// The record beside a data file: nothing (and no problem) when there is no
// file; nothing and the message to show when it cannot be read or used.
struct SettingsRead {
  std::optional<ViewpointRecord> record;
  QString problem;
};
SettingsRead ReadViewpointSettings(const QString& dataFile);

}  // namespace gakunen::subjectfiles
