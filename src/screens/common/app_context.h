#pragma once

#include <QList>
#include <QString>

class QWidget;

namespace gakunen {

struct SharedState;
class Dialogs;
class Printer;

// What every screen is handed: the shared state, the dialogs and the printer,
// the other screens (created on first use) and the program's end.
class AppContext {
 public:
  virtual ~AppContext() = default;
  virtual SharedState& state() = 0;
  virtual Dialogs& dialogs() = 0;
  virtual Printer& printer() = 0;

  // The screen of that name ("Form3"), created on first use; nullptr for an unknown name.
  virtual QWidget* form(const QString& name) = 0;
  template <typename T>
  T* formAs(const QString& name) {
    return dynamic_cast<T*>(form(name));
  }
  // Screens created so far.
  virtual QList<QWidget*> createdForms() const = 0;

  // The hourglass during loading and printing.
  virtual void setBusy(bool busy) = 0;
  // Ends the program at once (asking first only when a table holds unsaved changes).
  virtual void endProgram() = 0;
};

// Shows the busy pointer for a scope.
class BusyScope {
 public:
  explicit BusyScope(AppContext& app) : app_(app) { app_.setBusy(true); }
  ~BusyScope() { app_.setBusy(false); }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  AppContext& app_;
};

}  // namespace gakunen
