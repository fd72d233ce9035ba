#pragma once

namespace gakunen {

struct SharedState;
class Dialogs;
class ScreenPrinter;
class TransferDialog;

// What every screen is handed: the shared state, the dialogs, the printer,
// the transfer dialog they all share and the program's end. Screens reach
// each other only through what the application hands them (src/app).
class AppContext {
 public:
  virtual ~AppContext() = default;
  virtual SharedState& state() = 0;
  virtual Dialogs& dialogs() = 0;
  virtual ScreenPrinter& printer() = 0;
  // Form20, created on first use.
  virtual TransferDialog& transferDialog() = 0;

  // The hourglass during loading and printing.
  virtual void setBusy(bool busy) = 0;
  // Ends the program at once (asking first only when a table holds unsaved changes).
  virtual void endProgram() = 0;
  // Opens the teacher's guide in the desktop's browser.
  virtual void showGuide() = 0;
  // Whether opening a file writes a lock file beside it.
  virtual bool locksOpenFiles() const = 0;
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
