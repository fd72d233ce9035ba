#pragma once

#include "core/shared_state.h"
#include "ui/app_context.h"

#include <QHash>
#include <QObject>
#include <functional>
#include <memory>

namespace gakunen {

// Owns the shared state, the dialogs, the printer and every screen; screens
// are created on first use and afterwards only hidden and shown.
class Application : public QObject, public AppContext {
  Q_OBJECT
 public:
  Application(std::unique_ptr<Dialogs> dialogs, std::unique_ptr<Printer> printer, QObject* parent = nullptr);
  ~Application() override;

  SharedState& state() override { return state_; }
  Dialogs& dialogs() override { return *dialogs_; }
  Printer& printer() override { return *printer_; }
  QWidget* form(const QString& name) override;
  QList<QWidget*> createdForms() const override;
  void setBusy(bool busy) override;
  void endProgram() override;

  // Shows the main menu.
  void start();
  // In scenario mode the end of the program only marks it ended.
  void setScenarioMode(bool on) { scenarioMode_ = on; }
  bool hasEnded() const { return ended_; }
  // Whether any screen's table changed since it was last loaded or saved.
  bool hasUnsavedChanges() const;

 private:
  SharedState state_;
  std::unique_ptr<Dialogs> dialogs_;
  std::unique_ptr<Printer> printer_;
  QHash<QString, QWidget*> forms_;
  QList<QWidget*> order_;
  int busyDepth_ = 0;
  bool scenarioMode_ = false;
  bool ended_ = false;
};

// Creates the screen of that name; nullptr for an unknown name.
QWidget* CreateForm(const QString& name, AppContext& app);

}  // namespace gakunen
