#pragma once

#include "model/session/shared_state.h"
#include "screens/common/app_context.h"

#include <QObject>
#include <memory>

class QWidget;

namespace gakunen {

class DocumentViewer;
class FormRegistry;

// Owns the shared state, the dialogs, the printer and every screen (through
// its form registry); starts the program on the main menu and ends it.
class Application : public QObject, public AppContext {
  Q_OBJECT
 public:
  Application(std::unique_ptr<Dialogs> dialogs, std::unique_ptr<ScreenPrinter> printer, QObject* parent = nullptr);
  ~Application() override;

  SharedState& state() override { return state_; }
  Dialogs& dialogs() override { return *dialogs_; }
  ScreenPrinter& printer() override { return *printer_; }
  TransferDialog& transferDialog() override;
  void setBusy(bool busy) override;
  void endProgram() override;
  bool locksOpenFiles() const override { return locksOpenFiles_; }
  void showGuide() override;

  // What opens the guide; until set, a recording viewer that opens nothing.
  void setViewer(std::unique_ptr<DocumentViewer> viewer);
  DocumentViewer& viewer() { return *viewer_; }

  // Every screen, created on first use.
  FormRegistry& forms() { return *forms_; }
  // The screen of that object name ("Form3"), for scenarios and tests.
  QWidget* form(const QString& name);

  // Shows the main menu. Once it has painted, while the teacher reads it,
  // the score screen (where most sessions go first) is built and drawn off
  // screen and the code-page converter opened, so that the first file
  // opens as fast as any later one.
  void start();
  // In scenario mode the end of the program only marks it ended, and opened
  // files get no lock file: runs side by side open the same sample files,
  // and would each see the others' locks.
  void setScenarioMode(bool on) {
    scenarioMode_ = on;
    locksOpenFiles_ = !on;
  }
  void setLocksOpenFiles(bool on) { locksOpenFiles_ = on; }
  bool hasEnded() const { return ended_; }
  // Whether any screen's table changed since it was last loaded or saved.
  bool hasUnsavedChanges() const;

 private:
  void prepareFirstScreen();

  SharedState state_;
  std::unique_ptr<Dialogs> dialogs_;
  std::unique_ptr<ScreenPrinter> printer_;
  std::unique_ptr<DocumentViewer> viewer_;
  int busyDepth_ = 0;
  bool scenarioMode_ = false;
  bool ended_ = false;
  bool locksOpenFiles_ = true;
  // Last, so that the screens go before what they were handed.
  std::unique_ptr<FormRegistry> forms_;
};

}  // namespace gakunen
