#include "model/ports/dialogs.h"

namespace gakunen {

FileDialogSettings FileDialogSettings::dataFiles() {
  return {QStringLiteral("データファイル(*.dat)|*.dat"), QStringLiteral("dat"), QStringLiteral("b:\\data")};
}

FileDialogSettings FileDialogSettings::quizFiles() {
  return {QStringLiteral("データファイル(*.dat)|*.dat"), QStringLiteral("dat"), QStringLiteral("b:\\dat")};
}

FileDialogSettings FileDialogSettings::importFiles() {
  return {QStringLiteral("データファイル(*.*)|*.*"), QString(), QStringLiteral("b:\\data")};
}

}  // namespace gakunen
