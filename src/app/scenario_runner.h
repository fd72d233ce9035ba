#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <functional>

namespace gakunen {

class Application;
class ScriptedDialogs;

// What a scenario drives and reads besides the screens themselves.
struct ScenarioEnvironment {
  Application* app = nullptr;
  ScriptedDialogs* dialogs = nullptr;
  std::function<bool()> ended;                   // the program was ended ("終了")
  std::function<QStringList()> openedDocuments;  // what the desktop was asked to open, oldest first
  std::function<int()> jobsFinished;             // print jobs finished since the start
  std::function<int()> lastJobPages;             // pages of the last finished job
  // The texts drawn on page `page` (from 1) of the last finished job.
  std::function<QStringList(int page)> lastJobPageTexts;
  // Writes page-1.png, page-2.png, ... of the last job into the folder.
  std::function<bool(const QString& folder, QString* error)> saveLastJobPages;
};

// Runs the steps of a scenario file against the real screens. Prints
// "FILE:LINE: what was expected and found" at the first failing step and
// returns 1, or prints "N passed, 0 failed" and returns 0.
int RunScenario(ScenarioEnvironment& env, const QString& path, QTextStream& out);

}  // namespace gakunen
